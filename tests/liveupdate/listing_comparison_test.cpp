#include "liveupdate/listing_comparison.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <random>

#include "foundation/file_io.h"
#include "liveupdate/remote_names.h"
#include "support/fake_file_system.h"
#include "support/listing_records.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::FakeFileSystem;
using testing::TempDir;

constexpr auto Ftp = TransferRules::Ftp;
constexpr auto Http = TransferRules::Http;

std::uint32_t Stamp(int year, int month = 1) {
  return *PackDosDateTime({year, month, 1, 12, 0, 0});
}
const std::uint32_t kOld = Stamp(2024, 1);
const std::uint32_t kNew = Stamp(2024, 6);

TListingRec File(std::string name, std::int32_t size, std::uint32_t date = kOld,
                 std::uint8_t newerOnly = 0, std::uint8_t module = VEKModule) {
  return testing::ListedFile(std::move(name), size, date, newerOnly, module);
}

// The server's package record, as the maintainer's listing holds it.
TListingRec Package(std::string name, std::int32_t size) {
  TListingRec rec = File(std::move(name), size, 0);
  rec.Kind = riIsBlankHeader;
  rec.Text = ";VEK";
  rec.State = 0;
  return rec;
}

std::string Listing(const std::vector<TListingRec>& records) {
  std::string bytes;
  for (const TListingRec& rec : records)
    AppendListingRec(rec, bytes);
  return bytes;
}

std::string IgnoreFile(const std::vector<TIgnoreRec>& records) {
  std::string bytes;
  for (const TIgnoreRec& rec : records)
    AppendIgnoreRec(rec, bytes);
  return bytes;
}

std::vector<std::string> Column0(const std::vector<TGridRow>& rows) {
  std::vector<std::string> names;
  for (const TGridRow& row : rows)
    names.push_back(row[0]);
  return names;
}

TComparison Compare(TransferRules rules, const std::vector<TListingRec>& local,
                    const std::vector<TListingRec>& server,
                    const std::vector<TIgnoreRec>& ignore = {}, bool substitution = true) {
  TFileCatalogue catalogue = FileCatalogue();
  TComparisonSettings settings;
  settings.rules = rules;
  settings.packageName = "ZUZUZ622.EXE";
  settings.packageSubstitution = substitution;
  const std::string ignoreBytes = IgnoreFile(ignore);
  return CompareListings(Listing(local), Listing(server), ignoreBytes, catalogue, settings);
}

using Names = std::vector<std::string>;

TEST(ListingComparison, OffersWhatTheRulesOfEachTransferSay) {
  struct Case {
    const char* what;
    std::vector<TListingRec> local, server;
    std::vector<TIgnoreRec> ignore;
    bool substitution;
    Names ftp, http;     // offered
    Names ignoredAfter;  // the same under both rules
  };
  const TIgnoreRec ignore623{"zuzuz623.exe", 9000, kNew, ""};
  const std::vector<Case> cases = {
      {"a new file of the installation",
       {},
       {File("S5.WAV", 100)},
       {},
       true,
       {"s5.wav"},
       {"s5.wav"},
       {}},
      {"same size, later server stamp",
       {File("S5.WAV", 100, kOld)},
       {File("S5.WAV", 100, kNew)},
       {},
       true,
       {},
       {"s5.wav"},
       {}},
      {"same size, earlier server stamp",
       {File("S5.WAV", 100, kNew)},
       {File("S5.WAV", 100, kOld)},
       {},
       true,
       {},
       {},
       {}},
      {"another size, whatever the stamp",
       {File("S5.WAV", 100, kNew)},
       {File("S5.WAV", 120, kOld)},
       {},
       true,
       {"s5.wav"},
       {"s5.wav"},
       {}},
      {"newer-only, larger, older stamp",
       {File("VEK.LOC", 100, kNew)},
       {File("VEK.LOC", 120, kOld, 1)},
       {},
       false,
       {},
       {},
       {}},
      {"newer-only, larger, equal stamp",
       {File("VEK.LOC", 100, kNew)},
       {File("VEK.LOC", 120, kNew, 1)},
       {},
       false,
       {},
       {},
       {}},
      {"newer-only, later stamp, no substitution",
       {File("VEK.LOC", 100, kOld)},
       {File("VEK.LOC", 120, kNew, 1)},
       {},
       false,
       {"vek.loc"},
       {"vek.loc"},
       {}},
      {"newer-only, same size, later stamp, no substitution",
       {File("VEK.LOC", 100, kOld)},
       {File("VEK.LOC", 100, kNew, 1)},
       {},
       false,
       {},
       {"vek.loc"},
       {}},
      // Substituted by the running version's package, which is never offered: the newer
      // program files come with the newer package.
      {"newer-only, later stamp, substitution",
       {File("VEK.LOC", 100, kOld), File("UN_VEK.EXE", 9, kOld)},
       {Package("ZUZUZ622.EXE", 5000), File("VEK.LOC", 120, kNew, 1),
        File("UN_VEK.EXE", 10, kNew, 1), Package("ZUZUZ623.EXE", 6000)},
       {},
       true,
       {"zuzuz623.exe"},
       {"zuzuz623.exe"},
       {}},
      {"packages 621, 622 and 623",
       {},
       {Package("ZUZUZ621.EXE", 1), Package("ZUZUZ622.EXE", 2), Package("ZUZUZ623.EXE", 3)},
       {},
       true,
       {"zuzuz623.exe"},
       {"zuzuz623.exe"},
       {}},
      // An ignored package is not offered; its entry goes when the server holds that version.
      {"package 623 ignored", {}, {Package("ZUZUZ623.EXE", 9000)}, {ignore623}, true, {}, {}, {}},
      {"an ignore entry of an older package goes",
       {},
       {Package("ZUZUZ624.EXE", 1)},
       {ignore623, {"zuzuz621.exe", 1, kOld, ""}, {"s5.wav", 1, kOld, "New file"}},
       true,
       {"zuzuz624.exe"},
       {"zuzuz624.exe"},
       {"s5.wav"}},
      {"ignored by name, whatever size and stamp",
       {},
       {File("S5.WAV", 100, kNew)},
       {{"s5.wav", 1, kOld, "New file"}},
       true,
       {},
       {},
       {"s5.wav"}},
      {"two server records of a name: the first counts",
       {File("S5.WAV", 100)},
       {File("S5.WAV", 100), File("S5.WAV", 200)},
       {},
       true,
       {},
       {},
       {}},
      {"size 0 is a file only over HTTP", {}, {File("S6.WAV", 0)}, {}, true, {}, {"s6.wav"}, {}},
      {"a negative size is no file", {}, {File("S6.WAV", -5)}, {}, true, {}, {}, {}},
      {"another module is another file",
       {File("S5.WAV", 100)},
       {File("S5.WAV", 100, kOld, 0, QuvModule)},
       {},
       true,
       {"s5.wav"},
       {"s5.wav"},
       {}},
      {"only names of the installation are admitted",
       {},
       {File("README.TXT", 1), File("VEK_DIRS.TXT", 2), File("1NEWS.TXT", 3), File("GO-VEK.Z", 4),
        File("DIRIZ1.Z", 5)},
       {},
       true,
       {"vek_dirs.txt", "1news.txt", "go-vek.z", "diriz1.z"},
       {"vek_dirs.txt", "1news.txt", "go-vek.z", "diriz1.z"},
       {}},
      // Stamps from 2044 on set bit 31; they are later than any earlier stamp.
      {"a stamp of 2048 is later than one of 2043",
       {File("S5.WAV", 100, Stamp(2043))},
       {File("S5.WAV", 100, Stamp(2048))},
       {},
       true,
       {},
       {"s5.wav"},
       {}},
      {"a newer-only stamp of 2048",
       {File("VEK.LOC", 100, Stamp(2043))},
       {File("VEK.LOC", 120, Stamp(2048), 1)},
       {},
       false,
       {"vek.loc"},
       {"vek.loc"},
       {}},
  };
  for (const Case& c : cases) {
    for (const TransferRules rules : {Ftp, Http}) {
      const TComparison r = Compare(rules, c.local, c.server, c.ignore, c.substitution);
      const char* label = rules == Ftp ? " (FTP)" : " (HTTP)";
      EXPECT_EQ("", r.error) << c.what << label;
      EXPECT_EQ(rules == Ftp ? c.ftp : c.http, Column0(r.offered)) << c.what << label;
      EXPECT_EQ(r.offered.size(), r.neededList.size()) << c.what << label;
      EXPECT_EQ(c.ignoredAfter, Column0(r.ignored)) << c.what << label;
      EXPECT_EQ(r.ignored.size(), r.ignoreList.size()) << c.what << label;
    }
  }
}

TEST(ListingComparison, ANewerProgramFileIsSubstitutedByThePackageOnce) {
  TFileCatalogue catalogue = FileCatalogue();
  TComparisonSettings settings;
  settings.packageName = "ZUZUZ622.EXE";
  TListingComparison c(catalogue, settings);
  c.local = c.ReadListingFile({File("VEK.LOC", 100, kOld), File("UN_VEK.EXE", 9, kOld)});
  c.server = c.ReadListingFile({Package("ZUZUZ622.EXE", 5000), File("VEK.LOC", 120, kNew, 1),
                                File("UN_VEK.EXE", 10, kNew, 1)});
  c.BuildNeededList();
  ASSERT_EQ(1u, c.result.neededList.size());
  EXPECT_EQ("ZUZUZ622.EXE", c.result.neededList[0].FileName);
  EXPECT_EQ(5000, c.result.neededList[0].Size);
  // That package is the running version's: it leaves the offer.
  c.DropSupersededPackages("ZUZUZ");
  EXPECT_TRUE(c.result.neededList.empty());
  EXPECT_TRUE(c.result.offered.empty());
}

TEST(ListingComparison, FillsTheColumnsOfTheOfferedRows) {
  TFileCatalogue catalogue = FileCatalogue();
  TComparisonSettings settings;
  settings.adhans = {{"ALEPPO.WAV", "Aleppo", "حلب"}, {"AZHAN_M1.WAV", "Madinah", "المدينة"}};
  settings.fileExists = [](std::string_view folder, std::string_view name) {
    return folder == "SOUNDS" && name == "ALEPPO.WAV";
  };
  TListingRec book = File("SAMPLE1.TXT", 10);
  book.Text = "  a book";
  book.Author = "Someone";
  book.IsTextBook = 1;
  book.Module = QuvModule;
  TListingRec index = File("SAMPLE1.IX", 1234567, Stamp(2050));
  index.Module = QuvModule;
  const std::string server =
      Listing({File("ALEPPO.WAV", 1000), File("AZHAN_M1.WAV", 2000), File("S12.WAV", 3000),
               File("F-EGYPT2.WAV", 4000), book, index});
  TComparison r = CompareListings(Listing({}), server, std::nullopt, catalogue, settings);
  ASSERT_EQ(6u, r.offered.size());
  EXPECT_EQ((TGridRow{"aleppo.wav", "New version", "1,000", std::to_string(kOld), "01/01/2024",
                      "Aleppo Azhan"}),
            r.offered[0]);
  EXPECT_EQ("Madinah Azhan", r.offered[1][5]);
  EXPECT_EQ("New file", r.offered[1][1]);
  EXPECT_EQ(
      (TGridRow{"s12.wav", "New file", "3,000", std::to_string(kOld), "01/01/2024", "Quran file"}),
      r.offered[2]);
  EXPECT_EQ("Sound file", r.offered[3][5]);
  EXPECT_EQ("A BOOK Someone", r.offered[4][5]);  // book names are upper-cased when read
  EXPECT_EQ((TGridRow{"sample1.ix", "", "1,234,567", std::to_string(Stamp(2050)), "01/01/2050",
                      "INDEXES file for A BOOK"}),
            r.offered[5]);
  EXPECT_EQ("", r.message);
  EXPECT_TRUE(r.showLists);

  settings.language = Language::Arabic;
  catalogue = FileCatalogue();
  r = CompareListings(Listing({}), server, std::nullopt, catalogue, settings);
  EXPECT_EQ("أذان حلب", r.offered[0][5]);
  EXPECT_EQ("نسخة جديدة", r.offered[0][1]);
  EXPECT_EQ("ملف قرآن", r.offered[2][5]);
  EXPECT_EQ("ملف الفهارس لـ A BOOK", r.offered[5][5]);

  // A saved ignore entry shows its update type in the user's language; after a switch every text
  // that the comparison wrote follows, and a book's name stays as it is.
  std::string ignore;
  AppendIgnoreRec({"s7.wav", 10, kOld, "New version"}, ignore);
  catalogue = FileCatalogue();
  r = CompareListings(Listing({}), server, ignore, catalogue, settings);
  ASSERT_EQ(1u, r.ignored.size());
  EXPECT_EQ("نسخة جديدة", r.ignored[0][1]);
  for (TGridRow& row : r.offered)
    RecaptionGridRow(row, Language::English, settings);
  EXPECT_EQ("Aleppo Azhan", r.offered[0][5]);
  EXPECT_EQ("New version", r.offered[0][1]);
  EXPECT_EQ("Quran file", r.offered[2][5]);
  EXPECT_EQ("A BOOK Someone", r.offered[4][5]);
  EXPECT_EQ("INDEXES file for A BOOK", r.offered[5][5]);
}

TEST(ListingComparison, SaysWhenNothingNeedsUpdating) {
  TComparison r = Compare(Ftp, {File("S5.WAV", 100)}, {File("S5.WAV", 100)});
  EXPECT_EQ("Your files do not need updating", r.message);
  EXPECT_FALSE(r.showLists);
  r = Compare(Ftp, {}, {File("S5.WAV", 100)}, {{"s5.wav", 100, kOld, ""}});
  EXPECT_EQ("Your files do not need updating\r\n\r\nBut you requested to ignore some items",
            r.message);
  EXPECT_TRUE(r.showLists);
  ASSERT_EQ(1u, r.ignored.size());
  EXPECT_EQ((TGridRow{"s5.wav", "", "100", std::to_string(kOld), "01/01/2024", ""}), r.ignored[0]);
}

class IgnoreFileOnDisk : public ::testing::Test {
 protected:
  void Write(const fs::path& file, const std::string& bytes) {
    ASSERT_EQ(0, WriteFileReplacing(file, bytes));
  }
  TComparison Run(FileSystem& fs = RealFileSystem()) {
    catalogue = FileCatalogue();
    return CompareAndFill(files, catalogue, settings, fs);
  }
  std::string Read(const fs::path& file) {
    std::string bytes;
    EXPECT_EQ(0, ReadWholeFile(file, bytes));
    return bytes;
  }

  TempDir dir;
  TComparisonFiles files{dir.path() / "vekdirs.rec", dir.path() / "vekdirs.dwn",
                         dir.path() / "IGNORE.REC"};
  TFileCatalogue catalogue;
  TComparisonSettings settings;
};

TEST_F(IgnoreFileOnDisk, DropsInstalledDuplicateAndUnusableEntriesAndKeepsACutFilesRecords) {
  Write(files.local, Listing({File("S5.WAV", 100, kOld)}));
  Write(files.server, Listing({File("S5.WAV", 100, kOld), File("S6.WAV", 50)}));
  const std::vector<TIgnoreRec> kept = {{"s6.wav", 50, kOld, "New file"},
                                        {"s6.wav", 60, kOld, "New file"}};
  std::string ignore = IgnoreFile({{"S5.WAV", 100, kOld, ""},  // installed now
                                   kept[0],
                                   {"s6.wav", 50, kNew, "again"},  // same name and size
                                   {"../x.exe", 1, kOld, ""},      // never a name
                                   kept[1]});
  Write(files.ignore, ignore + "cut in a record");
  const TComparison r = Run();
  EXPECT_EQ("", r.error);
  EXPECT_EQ("", r.saveError);
  EXPECT_TRUE(r.ignoreListChanged);
  EXPECT_EQ((Names{"s6.wav", "s6.wav"}), Column0(r.ignored));
  EXPECT_TRUE(r.offered.empty());
  EXPECT_EQ(IgnoreFile(kept), Read(files.ignore));

  // An unchanged list is not written again (a rewrite would be a new file).
  struct stat before {
  }, after{};
  ::stat(files.ignore.c_str(), &before);
  EXPECT_FALSE(Run().ignoreListChanged);
  ::stat(files.ignore.c_str(), &after);
  EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(IgnoreFileOnDisk, AFailedSaveIsReportedAndKeepsTheOldFile) {
  Write(files.local, Listing({File("S5.WAV", 100, kOld)}));
  Write(files.server, Listing({}));
  const std::string ignore = IgnoreFile({{"s5.wav", 100, kOld, ""}});
  Write(files.ignore, ignore);
  FakeFileSystem failing;
  failing.failRename = [](const fs::path&, const fs::path&) { return EACCES; };
  const TComparison r = Run(failing);
  EXPECT_EQ("Error writing the file:\r\n" + files.ignore.string() +
                "\r\nDOS error code 5: File access denied",
            r.saveError);
  EXPECT_EQ(ignore, Read(files.ignore));
  EXPECT_EQ(3, std::distance(fs::directory_iterator(dir.path()), {}));  // no temporary file
}

TEST_F(IgnoreFileOnDisk, ARefusedFileOffersNothingAndFillsNoIgnoreRow) {
  const std::string server = Listing({File("S5.WAV", 100)});
  Write(files.local, Listing({}));
  Write(files.server, server.substr(0, server.size() - 1));  // cut inside a record
  Write(files.ignore, IgnoreFile({{"s7.wav", 1, kOld, ""}}));
  TComparison r = Run();
  EXPECT_EQ(
      "The file is damaged (it does not consist of whole records):\r\n" + files.server.string(),
      r.error);
  EXPECT_TRUE(r.offered.empty());
  EXPECT_TRUE(r.ignored.empty());
  EXPECT_EQ("", r.message);

  Write(files.server, server);
  fs::remove(files.ignore);
  fs::create_directory(files.ignore);  // no regular file
  r = Run();
  EXPECT_EQ("The file is not a regular file:\r\n" + files.ignore.string(), r.error);
  EXPECT_TRUE(r.offered.empty());

  fs::remove(files.ignore);
  fs::resize_file(files.server, kMaxListingBytes + kListingRecSize);  // whole records, too many
  r = Run();
  EXPECT_EQ("The file is too large to be a list of files:\r\n" + files.server.string(), r.error);
  Write(files.server, server);

  // No ignore file is an empty list.
  fs::remove(files.local);
  r = Run();
  EXPECT_EQ(
      "Cannot read the file:\r\n" + files.local.string() + "\r\nDOS error code 2: File not found",
      r.error);
  Write(files.local, Listing({}));
  EXPECT_EQ((Names{"s5.wav"}), Column0(Run().offered));
}

TEST(ProgramFolderProbe, FindsSoundFilesIgnoringCase) {
  TempDir dir;
  fs::create_directories(dir.path() / "Sounds" / "suras");
  std::ofstream(dir.path() / "Sounds" / "aleppo.wav") << "x";
  std::ofstream(dir.path() / "Sounds" / "suras" / "S5.wav") << "x";
  const FileProbe exists = ProgramFolderProbe(dir.path());
  EXPECT_TRUE(exists("SOUNDS", "ALEPPO.WAV"));
  EXPECT_TRUE(exists("SOUNDS/SURAS", "S5.WAV"));
  EXPECT_FALSE(exists("SOUNDS/SURAS", "ALEPPO.WAV"));
  EXPECT_FALSE(exists("SOUNDS", "SURAS"));  // a folder is no file
}

TEST(HostileListings, OfferNoNameThatCouldBecomeAPath) {
  std::vector<TListingRec> server;
  for (const char* name :
       {"../X.EXE", "GO-VEK/../../x", "SOUNDS/../x", ".PROFILE", ".TXT", "A\r\nB.TXT",
        "ZUZUZ9/../../E", "GO-VEK\\..\\x", "VEK.EXE.", "S1.WAV ", "1A:B.TXT"}) {
    server.push_back(File(name, 100));
  }
  std::string bytes = Listing(server);
  // A record whose length bytes are all 255.
  std::string wild(kListingRecSize, 'Z');
  wild[0] = wild[81] = wild[132] = '\xFF';
  bytes += wild;
  for (const TransferRules rules : {Ftp, Http}) {
    TFileCatalogue catalogue = FileCatalogue();
    TComparisonSettings settings;
    settings.rules = rules;
    const std::string ignore = IgnoreFile(
        {{"../x.exe", 1, kOld, ""}, {".profile", 1, kOld, ""}, {"a\r\nb.txt", 1, kOld, ""}});
    const TComparison r = CompareListings("", bytes, ignore, catalogue, settings);
    EXPECT_EQ("", r.error);
    EXPECT_TRUE(r.offered.empty()) << r.offered[0][0];
    EXPECT_TRUE(r.ignored.empty());
  }
}

TEST(HostileListings, RandomBytesNeverCrashAndNeverOfferAnUnusableName) {
  std::mt19937 random(20240315);
  const std::vector<std::string> pieces = {
      "ZUZUZ", "GO-VEK", "DIRIZ",     "S1.WAV", "VEK.LOC", "/", "\\",   "..",
      ".",     "\r\n",   "_DIRS.TXT", "7",      " ",       ":", "\xFF", "SAMPLE1.IX"};
  auto byte = [&] { return static_cast<char>(random() & 0xFF); };
  for (int round = 0; round < 3000; ++round) {
    std::string bytes;
    const int records = static_cast<int>(random() % 6);
    for (int i = 0; i < records; ++i) {
      std::string rec(kListingRecSize, '\0');
      for (char& c : rec)
        c = byte();
      if (random() % 2 == 0) {  // a name made of pieces that pass the admission tests
        std::string name;
        while (name.size() < 12)
          name += pieces[random() % pieces.size()];
        rec[132] = static_cast<char>(std::min<std::size_t>(name.size(), 255));
        rec.replace(133, std::min<std::size_t>(name.size(), 18), name.substr(0, 18));
      }
      bytes += rec;
    }
    if (random() % 10 == 0)
      bytes += byte();  // not whole records
    TFileCatalogue catalogue = FileCatalogue();
    TComparisonSettings settings;
    settings.rules = random() % 2 == 0 ? Ftp : Http;
    const std::string local =
        bytes.substr(0, (bytes.size() / 2) / kListingRecSize * kListingRecSize);
    const TComparison r = CompareListings(local, bytes, bytes, catalogue, settings);
    for (const std::vector<TGridRow>* rows : {&r.offered, &r.ignored}) {
      for (const TGridRow& row : *rows) {
        ASSERT_TRUE(IsPlainFileName(row[0])) << row[0];
        const auto remote = RemoteNameOf(row[0]);
        ASSERT_TRUE(remote);
        // One of the three server folders, then a name that is no folder of its own.
        EXPECT_EQ(std::string::npos, remote->fileName.find_first_of("/\\")) << row[0];
        EXPECT_NE('.', remote->fileName.front()) << row[0];
        EXPECT_TRUE(remote->remotePath == "/" + remote->fileName ||
                    remote->remotePath == "/indexes/" + remote->fileName ||
                    remote->remotePath == "/txt/" + remote->fileName)
            << remote->remotePath;
      }
    }
  }
}

}  // namespace
}  // namespace vek
