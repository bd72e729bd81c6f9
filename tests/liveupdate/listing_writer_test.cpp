#include "liveupdate/listing_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "foundation/dos_date_time.h"
#include "foundation/dos_error.h"
#include "foundation/file_io.h"
#include "support/fake_clock.h"
#include "support/fake_file_system.h"
#include "support/fake_ui.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::ExpectFileBytes;
using testing::FakeClock;
using testing::FakeFileSystem;
using testing::FakeUi;
using testing::TempDir;

const fs::path kFixtures = fs::path(VEK_SOURCE_DIR) / "tests/liveupdate/fixtures";

std::uint32_t Stamp(int day) {
  return *PackDosDateTime({2024, 3, day, 10, 20, 30});
}

// Compares a produced file with its golden copy; VEK_WRITE_GOLDEN=1 writes the golden copy.
void ExpectGolden(const fs::path& produced, const std::string& golden) {
  const std::string bytes = ExpectFileBytes(produced);
  if (std::getenv("VEK_WRITE_GOLDEN") != nullptr) {
    std::ofstream(kFixtures / golden, std::ios::binary) << bytes;
    return;
  }
  EXPECT_TRUE(bytes == ExpectFileBytes(kFixtures / golden))
      << golden << " differs from " << produced;
}

// One line per record of a listing: what it means, without the bytes.
std::vector<std::string> Shape(const std::string& bytes) {
  RecordFileError error;
  std::vector<std::string> lines;
  for (const TListingRec& r : DecodeListing(bytes, error)) {
    std::ostringstream line;
    line << int(r.Kind) << " " << r.Text << " | " << r.FileName << " " << r.Size << " "
         << (r.Date == 0 ? 0 : int(r.Date & 0x1F0000) >> 16) << " m" << int(r.Module) << " c"
         << int(r.NewerOnly) << " n" << int(r.NoSuchFolder) << " s" << int(r.State);
    lines.push_back(line.str());
  }
  EXPECT_EQ(RecordFileError::None, error);
  return lines;
}

// An installation in a fresh folder, named by the relative path "vek" so that the listing's
// folder texts do not depend on where the test runs.
class InstallationListing : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = fs::current_path();
    fs::current_path(dir.path());
    int day = 1;
    for (auto [name, size] : std::vector<std::pair<std::string, int>>{
             {"vek", 1000},
             {"VEK.LOC", 500},
             {"VEK.INI", 50},  // development extension
             {"A_VERY_LONG_FILE_NAME_FOR_TESTING.DAT", 10},
             {"readme.txt", 20},
             {"QUV.EXE", 30},      // the sibling program's
             {"001.TXT", 5},       // three digits
             {"VEK_DIRS.TXT", 5},  // the directory report
             {"SETUP.EXE", 5},     // never listed
             {"ftpcomm", 5},       // the maker's, during Live Update
             {"notes.bak", 5},     // development extension
             {"backup.~pa", 5},    // "~" extensions
             {"PELSUNK.EXE", 40},  // both programs'
             {"BOOK.IX0", 100},    // two parts of one index
             {"BOOK.IX1", 200},
             {"دعاء.TXT", 60},
         }) {
      // The two parts of the index share a stamp: the listing keeps the part it meets first.
      File(program / name, size, Stamp(name == "BOOK.IX1" ? day - 1 : day));
      ++day;
    }
    fs::create_directories(program / "SOUNDS/EXTRA");  // no files; SURAS is missing
    File(listing, 11, Stamp(28));
    ::chmod(listing.c_str(), 0444);
  }
  void TearDown() override { fs::current_path(previous); }

  static void File(const fs::path& path, int size, std::uint32_t stamp) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    const struct timespec times[2] = {{0, UTIME_OMIT}, {*FileTimeOfDosDateTime(stamp), 0}};
    ASSERT_EQ(0, ::utimensat(AT_FDCWD, path.c_str(), times, 0));
  }

  TListingOutcome List(bool maintainer) {
    TListingSettings settings;
    settings.programFolder = program;
    settings.maintainerMode = maintainer;
    return WriteLiveUpdateDirList(settings, listing, FileCatalogue(), sys);
  }

  TempDir dir;
  fs::path previous;
  FakeUi ui;
  FakeClock clock;
  FakeFileSystem files;
  SystemServices sys{.ui = ui, .clock = clock, .fs = files};
  const fs::path program = "vek";
  const fs::path listing = program / "LiveUpdate" / "vekdirs.rec";
  const std::string oldListing = std::string(11, 'x');
};

const std::vector<std::string> kUserShape = {
    "0 ;VEK | ; 0 0 m1 c0 n0 s0",
    "1 ;vek/ | ; 0 0 m1 c0 n0 s1",
    "1 ;Directory: vek/ | ; 0 0 m1 c0 n0 s1",
    "1 ;Total Items: 7 | ; 0 0 m1 c0 n0 s1",
    "2  | A_VERY_LONG_FILE_N 10 4 m1 c0 n0 s1",
    "2  | BOOK.IX 300 14 m1 c0 n0 s1",
    "2  | PELSUNK.EXE 40 13 m2 c1 n0 s1",
    "2  | README.TXT 20 5 m1 c0 n0 s1",
    "2  | VEK 1000 1 m1 c1 n0 s1",
    "2  | VEK.LOC 500 2 m1 c1 n0 s1",
    "2  | دعاء.TXT 60 16 m1 c0 n0 s1",
    "0 ;SOUNDS | ; 0 0 m1 c0 n0 s0",
    "1 ;vek/SOUNDS/ | ; 0 0 m1 c0 n0 s1",
    "1 ;Directory: vek/SOUNDS/ | ; 0 0 m1 c0 n0 s1",
    "1 ;Total Items: 0 | ; 0 0 m1 c0 n0 s1",
    "0 ;SURAS | ; 0 0 m1 c0 n0 s0",
    "1 ;vek/SOUNDS/SURAS/ | ; 0 0 m1 c0 n1 s1",
};

TEST_F(InstallationListing, ReplacesAReadOnlyOldListingWithTheWholeListing) {
  const TListingOutcome outcome = List(false);
  EXPECT_EQ(TListingOutcome::Written, outcome.status);
  EXPECT_TRUE(outcome.vekModuleListed);
  EXPECT_EQ("ZUZUZ622.EXE", outcome.packageName);
  EXPECT_EQ(kUserShape, Shape(ExpectFileBytes(listing)));
  ExpectGolden(listing, "vekdirs.rec");
  EXPECT_TRUE(IsOwnerWritable(listing));
  EXPECT_FALSE(fs::exists(listing.string() + "TXT"));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(ui.busyCursor);
}

// The program's own files beside the installation: the save lock, the temporary files of a save
// and of a copy, and a download not yet in place.
TEST_F(InstallationListing, LeavesOutTheProgramsOwnLockAndTemporaryFiles) {
  for (const char* name :
       {".VEK.lock", ".VEK.LOC.a1B2c3", "$TMP_WRK.$_$x1Y2z3", "go-aleppo.z.tovarelin"})
    File(program / name, 10, Stamp(20));
  EXPECT_EQ(TListingOutcome::Written, List(false).status);
  EXPECT_EQ(kUserShape, Shape(ExpectFileBytes(listing)));
}

TEST_F(InstallationListing, InMaintainerModeAddsThePackageRecordAndTheTextTwin) {
  File(program / "$trash" / "ZUZUZ622.EXE", 777, Stamp(20));
  EXPECT_EQ(TListingOutcome::Written, List(true).status);
  std::vector<std::string> shape = kUserShape;
  shape.insert(shape.begin() + 1, "0 ;VEK | ZUZUZ622.EXE 777 0 m1 c0 n0 s0");
  EXPECT_EQ(shape, Shape(ExpectFileBytes(listing)));
  ExpectGolden(listing, "vekdirs_maintainer.rec");
  ExpectGolden(listing.string() + "TXT", "vekdirs_maintainer.recTXT");
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(
      "READY TO UPLOAD\r\n\r\nFinished Writing Directories to Hard Disk\r\n\r\nNow the following "
      "file must be uploaded to our Site:\r\n- vek/LiveUpdate/vekdirs.rec\r\n- as well as "
      "GO...EXE\r\n- and any new sound files\r\n\r\nProgram Will Close",
      ui.messages[0]);
}

TEST_F(InstallationListing, InMaintainerModeWithoutThePackageKeepsTheOldListing) {
  EXPECT_EQ(TListingOutcome::PackageMissing, List(true).status);
  EXPECT_EQ(std::vector<std::string>{"ERROR: MISSING File ZUZUZ622.EXE from directory: \\$trash"},
            ui.messages);
  EXPECT_EQ(oldListing, ExpectFileBytes(listing));
  EXPECT_FALSE(fs::exists(listing.string() + "TXT"));
}

TEST_F(InstallationListing, AWriteFailingMidwayKeepsTheOldListingAndIsReported) {
  File(program / "$trash" / "ZUZUZ622.EXE", 777, Stamp(20));
  files.writeError = ENOSPC;
  files.writeLimit = 1000;
  EXPECT_EQ(TListingOutcome::WriteFailed, List(true).status);
  EXPECT_EQ(oldListing, ExpectFileBytes(listing));
  // Nothing else is left in the folder: no temporary file, no text twin, no "READY TO UPLOAD".
  EXPECT_EQ(1, std::distance(fs::directory_iterator(listing.parent_path()), {}));
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ("Error writing the file:\r\nvek/LiveUpdate/vekdirs.rec\r\n" + IoErrorText(ENOSPC),
            ui.messages[0]);
}

TEST_F(InstallationListing, EndRecordCloseAGroup) {
  TListingWriter writer(false);
  TListingSettings settings;
  settings.programFolder = program;
  const TGroupOutcome group = WriteDirListing(writer, "SURAS", program / "nowhere", VEKModule,
                                              kListingEnd, settings, FileCatalogue());
  EXPECT_TRUE(group.ok);
  EXPECT_TRUE(group.messages.empty());
  EXPECT_EQ(std::vector<std::string>{"3 ;SURAS | ; 0 0 m1 c0 n0 s1"}, Shape(writer.Bytes()));
}

TEST_F(InstallationListing, DirectoryReportListsEveryFileAndTheMissingFolder) {
  ::chmod((program / "VEK.LOC").c_str(), 0444);
  ASSERT_FALSE(WriteDirsReport(program, files));
  const std::string report = ExpectFileBytes(program / "VEK_DIRS.TXT");
  for (const char* part : {
           ";vek/  (Not a CD-ROM)  WRITABLE DISK\r\n",
           ";Directory: vek/\r\n;Total Items: 16\r\n",
           "FILE-NAME",
           " SIZE(bytes)",
           " Year Mo Dy hr:mn:sc File-Attribute\r\n;FILE-NAME SIZE(bytes) Date(YMDHMS)\r\n",
           "VEK.LOC                                     500 2024 03 02 10:20:30 ReadOnly Archive",
           "QUV.EXE ",  // every file, excluded from the listing or not
           ";Directory: vek/SOUNDS/\r\n;Total Items: 0\r\n",
           ";NO SUCH DIRECTORY: vek/SOUNDS/SURAS/\r\n",
           ";====== VEK_DIRS.TXT: END OF FILE ========\r\n",
       }) {
    EXPECT_NE(std::string::npos, report.find(part)) << part << "\n" << report;
  }
}

TEST_F(InstallationListing, ADirectoryReportThatCannotBeWrittenTellsWhyInBothLanguages) {
  files.writeError = ENOSPC;
  const std::optional<TTwinText> failed = WriteDirsReport(program, files);
  ASSERT_TRUE(failed);
  EXPECT_EQ(FileWriteErrorText(program / "VEK_DIRS.TXT", ENOSPC, Language::English),
            failed->english);
  EXPECT_EQ(FileWriteErrorText(program / "VEK_DIRS.TXT", ENOSPC, Language::Arabic), failed->arabic);
  EXPECT_EQ(std::string(5, 'x'), ExpectFileBytes(program / "VEK_DIRS.TXT"));  // the old report
}

TEST(ExcludedFiles, FollowTheRulesInOrder) {
  struct Case {
    const char* name;
    bool liveUpdateRunning;
    bool excluded;
  };
  for (const Case& c : {
           Case{"VEK.EXE", true, false},
           Case{"QUV32.EXE", false, true},    // the sibling program's
           Case{"PELSUNK.EXE", true, false},  // both programs'
           Case{"123NEWS.TXT", false, true},  // begins with three digits
           Case{"12.TXT", false, false},
           Case{"ALL_DIRS.TXT", false, true},
           Case{"ABC_DIRS.TXT", false, true},  // "_DIRS." at position 4
           Case{"AB_DIRS.TXT", false, false},
           Case{"$NOTE.TXT", false, true},
           Case{"#NOTE.TXT", false, true},
           Case{"HDRS.DAT", false, true},
           Case{"DRAVOLEN.EXE", false, true},
           Case{"&DISK1", false, true},
           Case{"MANUAL.TXT", true, true},
           Case{"MANUAL.TXT", false, false},
           Case{"NOTES-ORG.TXT", true, true},
           Case{"FTPCOMM", true, true},
           Case{"$VEKDIRS.REC", true, true},
           Case{"QUV1INFO.TXT", true, true},
           Case{"IGLOBAL.INC", true, true},
           Case{"TESTER.EXE", true, true},
           Case{"GOANY.Z", true, true},
           Case{"GO-VEK.Z", true, false},
           Case{"VEK.INI", false, true},
           Case{"VEK.~DP", false, true},
           Case{"X.T", false, true},
           Case{"X.TXT", false, false},
           Case{"NOEXTENSION", false, false},
       }) {
    EXPECT_EQ(c.excluded,
              IsExcludedFile(c.name, "VEK", VEKModule, c.liveUpdateRunning, FileCatalogue()))
        << c.name << " running " << c.liveUpdateRunning;
  }
}

TEST(BookHeader, ReadsBookAndAuthorUpToTheEndMark) {
  TBookHeader h = ParseBookHeader("intro\r\n*BOOK*   The Book\r\n*AUTHOR* \xE3\xC4\xE1\xDD\r\n");
  EXPECT_EQ("The Book", h.book);
  EXPECT_EQ("مؤلف", h.author);
  h = ParseBookHeader("*BOOK*" + std::string(90, 'b') + "\n*END*\n*AUTHOR* late\n");
  EXPECT_EQ(std::string(80, 'b'), h.book);
  EXPECT_EQ("", h.author);
  EXPECT_TRUE(h.endSeen);
}

TEST(BookHeader, TextBooksOfTheTxtFolderCarryTheirHeaderAndMissingPartsAreShown) {
  TempDir dir;
  std::ofstream(dir.path() / "good.txt") << "*BOOK* Good\n*AUTHOR* Writer\n*END*\n";
  std::ofstream(dir.path() / "bare.txt") << "no header at all\n";
  const TScannedFolder scanned = ScanDirectory(dir.path(), "TXT", VEKModule, true, FileCatalogue());
  const std::vector<TListingRec>& books = scanned.records;
  ASSERT_EQ(2u, books.size());
  EXPECT_EQ(1, books[1].IsTextBook);
  EXPECT_EQ("Good", books[1].Text);
  EXPECT_EQ("Writer", books[1].Author);
  const std::string bare = (dir.path() / "bare.txt").string();
  EXPECT_EQ((std::vector<std::string>{"Missing Book Name from file: " + bare,
                                      "Missing Author Name from file: " + bare,
                                      "Missing End-Of-Header *END* from file: " + bare}),
            scanned.messages);
}

}  // namespace
}  // namespace vek
