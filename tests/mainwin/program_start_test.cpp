// The first steps of a run over real folders: an empty program folder is seeded, and a folder
// that cannot hold the program is refused in the user's language before anything is made.
#include "mainwin/program_start.h"

#include <gtest/gtest.h>

#include <fstream>

#include "foundation/file_io.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

TEST(ProgramStart, AnEmptyVekHomeIsSeededFromTheInstalledData) {
  testing::TempDir t;
  fs::create_directories(t.path() / "share");
  fs::copy_file(fs::path(VEK_SOURCE_DIR) / "resources" / "VEK.LOC", t.path() / "share" / "VEK.LOC");
  fs::create_directories(t.path() / "home");
  ProgramFolderInputs in;
  in.vekHome = t.path() / "home";
  in.dataFolders = {t.path() / "share"};
  testing::FakeUi ui;
  EXPECT_EQ(t.path() / "home", PrepareProgramFolder(in, ui));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(fs::is_regular_file(t.path() / "home" / "VEK.LOC"));
}

TEST(ProgramStart, WithoutALocationFileNothingIsMadeAndTheUserIsToldInTheirLanguage) {
  testing::TempDir t;
  const struct {
    const char* ini;
    const char* expected;
  } cases[] = {
      {"", "الملف غير موجود"},  // a new user: the program starts in Arabic
      {"[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n", "File Not Found"},
  };
  for (const auto& c : cases) {
    const fs::path home = t.path() / (*c.ini ? "english" : "fresh");
    fs::create_directories(home);
    if (*c.ini) {
      ASSERT_EQ(0, WriteFileReplacing(home / "VEK.INI", c.ini));
    }
    ProgramFolderInputs in;
    in.vekHome = home;
    testing::FakeUi ui;
    EXPECT_FALSE(PrepareProgramFolder(in, ui).has_value());
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_NE(std::string::npos, ui.messages[0].find(c.expected)) << ui.messages[0];
    EXPECT_EQ(*c.ini ? 1 : 0, std::distance(fs::directory_iterator(home), {}));
  }
}

}  // namespace
}  // namespace vek
