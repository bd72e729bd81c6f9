#include "foundation/sibling_programs.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/special_files.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(VersionStringProblem, TellsOfAWordShorterThanTwoCharacters) {
  EXPECT_EQ("", VersionStringProblem("P_QIBHiVer", "08"));
  EXPECT_EQ(
      "ERROR in HVersion\nthe length of P_QIBLoVer\nis 1\nIt should be at least 2 characters "
      "long\nP_QIBLoVer=<6>\n\nYou must abort the program",
      VersionStringProblem("P_QIBLoVer", "6"));
}

TEST(LoadSiblingVersions, ShortensTheBuiltInWords) {
  const SiblingVersions v = LoadSiblingVersions();
  EXPECT_TRUE(v.ok);
  EXPECT_EQ("08", v.qibHigh);
  EXPECT_EQ("63", v.qibLow);
  EXPECT_EQ("5", v.quvHigh);
  EXPECT_EQ("20", v.quvLow);
  EXPECT_EQ("", v.error);

  SiblingVersionWords words;
  words.qibHigh = "081";
  words.quvHigh = "15";
  const SiblingVersions longer = LoadSiblingVersions(words);
  EXPECT_EQ("08", longer.qibHigh);
  EXPECT_EQ("15", longer.quvHigh);
}

TEST(LoadSiblingVersions, StopsAtTheFirstFailingWord) {
  SiblingVersionWords words;
  words.qibLow = "6";
  words.quvLow = "";
  const SiblingVersions v = LoadSiblingVersions(words);
  EXPECT_FALSE(v.ok);
  EXPECT_EQ("", v.qibHigh);
  EXPECT_EQ(VersionStringProblem("P_QIBLoVer", "6"), v.error);
}

TEST(FindSiblingInstallDir, ReadsLinesTwoFourAndFiveOfTheInstallerNote) {
  TempDir t;
  const fs::path folder = SiblingInstallFolder(t.path());
  EXPECT_EQ(t.path() / "Al Tovarelin", folder);
  fs::create_directories(folder);

  SiblingInstallNote note{"kept2", "kept4", "kept5"};
  FindSiblingInstallDir(folder, note);  // no note yet: nothing changes
  EXPECT_EQ("kept2", note.line2);
  EXPECT_EQ("kept5", note.line5);

  std::ofstream(folder / "quvinstall.dta", std::ios::binary) << "one\r\ntwo\r\nthree\r\nfour\r\n"
                                                                "five\r\nsix\r\n";
  FindSiblingInstallDir(folder, note);
  EXPECT_EQ("two", note.line2);
  EXPECT_EQ("four", note.line4);
  EXPECT_EQ("five", note.line5);

  std::ofstream(folder / "quvinstall.dta", std::ios::binary) << "one\nC:\\QUV\nthree";
  FindSiblingInstallDir(folder, note);  // a short note: the missing lines read as empty
  EXPECT_EQ("C:\\QUV", note.line2);
  EXPECT_EQ("", note.line4);
  EXPECT_EQ("", note.line5);
}

// The note lies in the user's data folder, where anything can be put in its place: a FIFO
// neither holds the program up nor is read, a device or an oversized file is not read either,
// and each counts as a missing note.
TEST(FindSiblingInstallDir, ANoteThatIsNoSmallRegularFileCountsAsMissing) {
  TempDir t;
  const fs::path folder = SiblingInstallFolder(t.path());
  fs::create_directories(folder);
  const fs::path note = folder / "QuvInstall.DTA";
  SiblingInstallNote read{"kept2", "kept4", "kept5"};

  ASSERT_TRUE(testing::MakeFifo(note));
  EXPECT_TRUE(testing::ReturnsWithoutWaiting(note, [&] { FindSiblingInstallDir(folder, read); }));
  fs::remove(note);
  fs::create_symlink("/dev/zero", note);
  FindSiblingInstallDir(folder, read);
  fs::remove(note);
  std::ofstream(note, std::ios::binary) << "one\r\ntwo\r\n" << std::string(1 << 20, ';');
  FindSiblingInstallDir(folder, read);
  EXPECT_EQ("kept2", read.line2);
  EXPECT_EQ("kept5", read.line5);
}

}  // namespace
}  // namespace vek
