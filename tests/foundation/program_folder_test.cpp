#include "foundation/program_folder.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

void WriteFile(const fs::path& p, const std::string& text) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << text;
}

TEST(ProgramFolder, VekHomeWinsOverEverything) {
  TempDir t;
  WriteFile(t.path() / "exe" / "VEK.LOC", "x");
  ProgramFolderInputs in;
  in.vekHome = t.path() / "home";
  in.executableFolder = t.path() / "exe";
  EXPECT_EQ(t.path() / "home", ResolveProgramFolder(in, nullptr));
}

TEST(ProgramFolder, ExecutableFolderHoldingTheLocationFileIsUsed) {
  TempDir t;
  WriteFile(t.path() / "exe" / "vek.loc", "x");  // found whatever the letter case
  ProgramFolderInputs in;
  in.executableFolder = t.path() / "exe";
  in.home = t.path() / "user";
  EXPECT_EQ(t.path() / "exe", ResolveProgramFolder(in, nullptr));
}

TEST(ProgramFolder, UserDataFolderIsCreatedAndSeededWithoutOverwriting) {
  TempDir t;
  WriteFile(t.path() / "empty-share" / "README", "no location file here");
  WriteFile(t.path() / "share" / "VEK.LOC", "shipped");
  WriteFile(t.path() / "share" / "OTHER.TXT", "other");
  WriteFile(t.path() / "user" / ".local" / "share" / "vek" / "OTHER.TXT", "mine");
  ProgramFolderInputs in;
  in.executableFolder = t.path() / "bin";  // holds no VEK.LOC
  in.home = t.path() / "user";
  in.dataFolders = {t.path() / "empty-share", t.path() / "share"};

  const fs::path folder = t.path() / "user" / ".local" / "share" / "vek";
  EXPECT_EQ(folder, ResolveProgramFolder(in, nullptr));
  EXPECT_EQ("shipped", ReadBytes(folder / "VEK.LOC"));
  EXPECT_EQ("mine", ReadBytes(folder / "OTHER.TXT"));
  EXPECT_FALSE(fs::exists(folder / "README"));

  in.xdgDataHome = t.path() / "xdg";
  EXPECT_EQ(t.path() / "xdg" / "vek", ResolveProgramFolder(in, nullptr));
  EXPECT_EQ("shipped", ReadBytes(t.path() / "xdg" / "vek" / "VEK.LOC"));
}

TEST(ProgramFolder, AnEmptyOrNewVekHomeIsSeededAndAFullOneKept) {
  TempDir t;
  WriteFile(t.path() / "share" / "VEK.LOC", "shipped");
  ProgramFolderInputs in;
  in.dataFolders = {t.path() / "share"};
  for (const char* name : {"empty", "new/deeper"}) {
    in.vekHome = t.path() / name;
    if (std::string(name) == "empty")
      fs::create_directories(*in.vekHome);
    EXPECT_EQ(*in.vekHome, ResolveProgramFolder(in, nullptr));
    EXPECT_EQ("shipped", ReadBytes(*in.vekHome / "VEK.LOC")) << name;
  }
  WriteFile(t.path() / "mine" / "vek.loc", "my own");
  in.vekHome = t.path() / "mine";
  EXPECT_EQ(*in.vekHome, ResolveProgramFolder(in, nullptr));
  EXPECT_FALSE(fs::exists(t.path() / "mine" / "VEK.LOC"));
  EXPECT_EQ("my own", ReadBytes(t.path() / "mine" / "vek.loc"));
}

// Started from the build tree (the executable beside the shipped VEK.LOC) with a new or empty
// VEK_HOME: the executable's folder seeds it when no installed data folder can, and gives only
// its location file, not the program or the settings kept there.
TEST(ProgramFolder, TheExecutablesFolderSeedsAfterTheInstalledData) {
  TempDir t;
  WriteFile(t.path() / "build" / "VEK.LOC", "beside the program");
  WriteFile(t.path() / "build" / "VEK.INI", "[the developer's own settings]");
  WriteFile(t.path() / "build" / "vek", "the program");
  ProgramFolderInputs in;
  in.executableFolder = t.path() / "build";
  in.dataFolders = {t.path() / "no-share"};
  for (const char* name : {"empty", "new"}) {
    in.vekHome = t.path() / name;
    if (std::string(name) == "empty")
      fs::create_directories(*in.vekHome);
    EXPECT_EQ(*in.vekHome, ResolveProgramFolder(in, nullptr));
    EXPECT_EQ("beside the program", ReadBytes(*in.vekHome / "VEK.LOC")) << name;
    EXPECT_EQ(1, std::distance(fs::directory_iterator(*in.vekHome), fs::directory_iterator()));
  }
  WriteFile(t.path() / "share" / "VEK.LOC", "installed");
  in.dataFolders.push_back(t.path() / "share");
  in.vekHome = t.path() / "later";
  EXPECT_EQ(*in.vekHome, ResolveProgramFolder(in, nullptr));
  EXPECT_EQ("installed", ReadBytes(*in.vekHome / "VEK.LOC"));
}

TEST(ProgramFolder, WithNothingToSeedFromNothingIsCreated) {
  TempDir t;
  ProgramFolderInputs in;
  in.vekHome = t.path() / "home";
  EXPECT_EQ(t.path() / "home", ResolveProgramFolder(in, nullptr));
  EXPECT_FALSE(fs::exists(t.path() / "home"));
  in.vekHome.reset();
  in.home = t.path() / "user";
  EXPECT_EQ(t.path() / "user" / ".local" / "share" / "vek", ResolveProgramFolder(in, nullptr));
  EXPECT_FALSE(fs::exists(t.path() / "user"));
}

// A link that loops cannot be examined; seeding skips it (and copies nothing over one in the
// user's folder) instead of stopping the program.
TEST(ProgramFolder, SeedingSkipsLinksThatCannotBeExamined) {
  TempDir t;
  WriteFile(t.path() / "share" / "VEK.LOC", "shipped");
  WriteFile(t.path() / "share" / "OTHER.TXT", "other");
  fs::create_symlink("LOOP", t.path() / "share" / "LOOP");
  fs::create_symlink("B", t.path() / "share" / "A");
  fs::create_symlink("A", t.path() / "share" / "B");
  const fs::path folder = t.path() / "xdg" / "vek";
  fs::create_directories(folder);
  fs::create_symlink("OTHER.TXT", folder / "OTHER.TXT");  // loops
  ProgramFolderInputs in;
  in.xdgDataHome = t.path() / "xdg";
  in.dataFolders = {t.path() / "share"};

  EXPECT_EQ(folder, ResolveProgramFolder(in, nullptr));
  EXPECT_EQ("shipped", ReadBytes(folder / "VEK.LOC"));
  EXPECT_TRUE(fs::is_symlink(folder / "OTHER.TXT"));
  for (const char* name : {"LOOP", "A", "B"})
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder / name))) << name;
  // A looping link in the executable's folder is no location file.
  fs::create_directories(t.path() / "exe");
  fs::create_symlink("VEK.LOC", t.path() / "exe" / "VEK.LOC");
  in.executableFolder = t.path() / "exe";
  EXPECT_EQ(folder, ResolveProgramFolder(in, nullptr));
  EXPECT_EQ(t.path() / "exe" / "VEK.LOC", FindFileIgnoringCase(t.path() / "exe", "vek.loc"));
}

TEST(ProgramFolder, FolderThatCannotBeMadeIsReported) {
  TempDir t;
  WriteFile(t.path() / "blocker", "a file where the folder should go");
  WriteFile(t.path() / "share" / "VEK.LOC", "shipped");
  ProgramFolderInputs in;
  in.xdgDataHome = t.path() / "blocker";
  in.dataFolders = {t.path() / "share"};
  std::string error;
  EXPECT_FALSE(ResolveProgramFolder(in, &error).has_value());
  EXPECT_NE(std::string::npos, error.find("blocker")) << error;
}

TEST(ProgramFolder, FindFileIgnoringCasePrefersTheExactName) {
  TempDir t;
  WriteFile(t.path() / "Vek.Ini", "a");
  EXPECT_EQ(t.path() / "Vek.Ini", FindFileIgnoringCase(t.path(), "VEK.INI"));
  EXPECT_EQ(t.path() / "NONE.TXT", FindFileIgnoringCase(t.path(), "NONE.TXT"));
}

}  // namespace
}  // namespace vek
