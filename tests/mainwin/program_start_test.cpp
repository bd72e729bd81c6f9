// The first steps of a run over real folders: an empty program folder is seeded, and a folder
// that cannot hold the program is refused in the user's language before anything is made.
#include "mainwin/program_start.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "foundation/file_io.h"
#include "support/fake_ui.h"
#include "support/special_files.h"
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

// A location file that is a FIFO, a folder or a device is refused at once, and said to be no
// regular file rather than missing.
TEST(ProgramStart, ALocationFileThatIsNoRegularFileIsRefusedForWhatItIs) {
  const struct {
    const char* what;
    std::function<void(const fs::path&)> make;
  } kinds[] = {
      {"FIFO", [](const fs::path& f) { ASSERT_TRUE(testing::MakeFifo(f)); }},
      {"folder", [](const fs::path& f) { fs::create_directory(f); }},
      {"device", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); }},
  };
  const struct {
    const char* ini;
    const char* expected;
  } languages[] = {
      {"", "خطأ: ملف المواقع\r\n%\r\nليس ملفاً عادياً\r\n"},
      {"[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n",
       "Error: Locations file\r\n%\r\nIt is not a regular file\r\n"},
  };
  for (const auto& kind : kinds) {
    for (const auto& language : languages) {
      SCOPED_TRACE(std::string(kind.what) + (*language.ini ? " English" : " Arabic"));
      testing::TempDir t;
      const fs::path home = t.path();
      if (*language.ini) {
        ASSERT_EQ(0, WriteFileReplacing(home / "VEK.INI", language.ini));
      }
      kind.make(home / "VEK.LOC");
      ProgramFolderInputs in;
      in.vekHome = home;
      testing::FakeUi ui;
      std::optional<fs::path> folder;
      EXPECT_TRUE(testing::ReturnsWithoutWaiting(home / "VEK.LOC",
                                                 [&] { folder = PrepareProgramFolder(in, ui); }));
      EXPECT_FALSE(folder.has_value());
      ASSERT_EQ(1u, ui.messages.size());
      std::string expected = language.expected;
      expected.replace(expected.find('%'), 1, (home / "VEK.LOC").string());
      EXPECT_EQ(0u, ui.messages[0].find(expected)) << ui.messages[0];
      EXPECT_EQ(*language.ini ? 2 : 1, std::distance(fs::directory_iterator(home), {}));
    }
  }
}

}  // namespace
}  // namespace vek
