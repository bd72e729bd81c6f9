#include "locations/location_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <functional>

#include "foundation/debug_log.h"
#include "foundation/save_lock.h"
#include "support/special_files.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TLocationRec Named(const std::string& city, const std::string& country, int latDeg = 0) {
  TLocationRec r;
  r.City = city;
  r.Country = country;
  r.LatDeg = static_cast<std::uint8_t>(latDeg);
  r.North = true;
  r.IshaInterval = 5400;
  return r;
}

std::string ImageOf(std::initializer_list<TLocationRec> recs) {
  TLocations list;
  for (const TLocationRec& r : recs)
    list.Append(std::make_unique<TLocation>(r));
  return LocationsFileImage(list);
}

class LocationFileTest : public ::testing::Test {
 protected:
  fs::path File() const { return dir.path() / kLocationFileName; }
  void Write(const std::string& bytes) const {
    std::ofstream(File(), std::ios::binary | std::ios::trunc) << bytes;
  }
  std::string Contents() const {
    std::ifstream in(File(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Reads the file into list; result holds what the reading came to.
  bool Read() {
    result = fnReadLocations(list, ctx);
    return result.ok;
  }
  // The names in the folder besides the location file and the save lock: temporary files left.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(dir.path())) {
      const std::string name = e.path().filename().string();
      if (name != kLocationFileName && name != kSaveLockFileName)
        names.push_back(name);
    }
    return names;
  }

  TempDir dir;
  LocationFileContext ctx{dir.path()};
  TLocations list;
  LocationFileResult result;
};

TEST_F(LocationFileTest, ReadsEveryLocationSortedByCountry) {
  Write(ImageOf({Named("PARIS", "FRANCE"), Named("CAIRO", "EGYPT"), Named("AMMAN", "JORDAN"),
                 Named("ALGIERS", "ALGERIA")}));
  ASSERT_TRUE(Read());
  ASSERT_EQ(4, list.Count());
  EXPECT_EQ("ALGIERS", list.GetItem(0).Rec.City);
  EXPECT_EQ("AMMAN", list.GetItem(3).Rec.City);
  EXPECT_FALSE(list.Modified);
  EXPECT_TRUE(result.english.empty() && result.arabic.empty() && result.noticeEnglish.empty());
  EXPECT_FALSE(result.fatal);
}

TEST_F(LocationFileTest, VersionRecordAloneIsAValidEmptyList) {
  Write(ImageOf({}));
  EXPECT_TRUE(Read());
  EXPECT_EQ(0, list.Count());
}

TEST_F(LocationFileTest, MissingFileStopsTheStartInBothLanguages) {
  EXPECT_FALSE(Read());
  EXPECT_NE(std::string::npos, result.english.find("File Not Found")) << result.english;
  EXPECT_NE(std::string::npos, result.arabic.find("الملف غير موجود")) << result.arabic;
  EXPECT_TRUE(result.noticeEnglish.empty());
  EXPECT_TRUE(result.fatal);
  EXPECT_EQ(-1, list.CurrentIndex);
}

TEST_F(LocationFileTest, IncompatibleVersionIsRefusedInTheUsersLanguageAndNeverConverted) {
  TLocationRec version = LocationsVersionRecord();
  version.City = "3333";
  TLocations l;
  l.Append(std::make_unique<TLocation>(version));
  const std::string bytes = LocationsFileImage(l).substr(kLocationRecSize);
  Write(bytes);
  EXPECT_FALSE(Read());
  EXPECT_NE(std::string::npos, result.Text(Language::Arabic).find("غير متوافق مع إصدار البرنامج"));
  EXPECT_NE(std::string::npos, result.Text(Language::English).find("Not compatible"));
  EXPECT_TRUE(result.fatal);
  EXPECT_EQ(bytes, Contents());
}

// An 88-byte record of the old layout with a distinct value in every field.
std::string OldRecord(const std::string& city, const std::string& country) {
  std::string r(kOldLocationRecSize, '\0');
  r[0] = static_cast<char>(city.size());
  r.replace(1, city.size(), city);
  r[22] = static_cast<char>(country.size());
  r.replace(23, country.size(), country);
  const char head[] = {35, 7, 33, 30, 30, 1};  // LongDeg .. DST
  r.replace(41, sizeof head, head, sizeof head);
  r[48] = 88;  // DstStart
  r[50] = 42;  // DstEnd 298
  r[51] = 1;
  r[52] = 1;     // North
  r[53] = 0;     // West
  r[54] = 3;     // Method
  r[56] = 0x10;  // FajrInterval 0x0E10 = 3600
  r[57] = 0x0E;
  r[60] = 90;                       // FajrAngle
  r[64] = static_cast<char>(0xC4);  // IshaAngle -60
  r[65] = r[66] = r[67] = static_cast<char>(0xFF);
  r[68] = 1;     // ZuhrDelayOn
  r[72] = 0x2C;  // ZuhrDelay 300
  r[73] = 0x01;
  r[76] = 1;     // Hanafi
  r[77] = 1;     // ImsakFixedDuration
  r[80] = 0x58;  // ImsakDuration 600
  r[81] = 0x02;
  r[84] = 0x78;  // Spare 0x12345678
  r[85] = 0x56;
  r[86] = 0x34;
  r[87] = 0x12;
  return r;
}

// The same record in the current layout, built independently byte by byte.
std::string ConvertedRecord(const std::string& city, const std::string& country) {
  const std::string old = OldRecord(city, country);
  std::string r(kLocationRecSize, '\0');
  r.replace(0, 60, old, 0, 60);  // names .. FajrInterval unchanged
  r[60] = 0x18;                  // IshaInterval 5400 = 0x1518
  r[61] = 0x15;
  r.replace(64, 28, old, 60, 28);  // FajrAngle .. Spare, four bytes further on
  return r;
}

TEST_F(LocationFileTest, OldLayoutIsConvertedOnceByteForByte) {
  Write(OldRecord("HOMS", "SYRIA") + OldRecord("HAMA", "SYRIA"));
  ASSERT_TRUE(Read());
  EXPECT_NE(std::string::npos, result.noticeEnglish.find("older version of Locations file"));
  EXPECT_NE(std::string::npos, result.noticeArabic.find("نسخة قديمة من ملف المواقع"));
  EXPECT_TRUE(result.english.empty());

  const LocationRecBytes version = EncodeLocationRec(LocationsVersionRecord());
  const std::string expected = std::string(version.begin(), version.end()) +
                               ConvertedRecord("HOMS", "SYRIA") + ConvertedRecord("HAMA", "SYRIA");
  EXPECT_EQ(expected, Contents());
  EXPECT_EQ(2, list.Count());
  EXPECT_EQ(5400, list.GetItem(0).Rec.IshaInterval);
  EXPECT_EQ(0x12345678u, list.GetItem(0).Rec.Spare);
  EXPECT_EQ(std::vector<std::string>{}, Leftovers());

  ASSERT_TRUE(Read());
  EXPECT_TRUE(result.noticeEnglish.empty());
}

TEST_F(LocationFileTest, DamagedFilesAreRefusedWithoutTouchingThem) {
  const std::string good = ImageOf({Named("CAIRO", "EGYPT"), Named("AMMAN", "JORDAN")});
  const std::string cases[] = {
      good.substr(0, good.size() - 5),       // cut short
      good + "xyz",                          // trailing garbage
      OldRecord("HOMS", "SYRIA") + "short",  // old layout, cut
      std::string(),                         // empty
      std::string("\x04", 1),                // shorter than the names
  };
  for (const std::string& bytes : cases) {
    Write(bytes);
    EXPECT_FALSE(Read()) << bytes.size();
    EXPECT_TRUE(result.fatal) << bytes.size();
    EXPECT_EQ(0, list.Count());
    const std::string& message = result.english;
    EXPECT_NE(std::string::npos, message.find(bytes.empty() ? "is empty" : "is damaged"))
        << message;
    EXPECT_NE(std::string::npos, result.arabic.find(bytes.empty() ? "فارغ" : "تالف"))
        << result.arabic;
    EXPECT_EQ(bytes, Contents());
    EXPECT_EQ(std::vector<std::string>{}, Leftovers());
  }
}

// What is no regular file, or is larger than any list of locations, is refused before it is read:
// a FIFO would hold the start-up forever, a device never ends. Nothing is written over it.
TEST_F(LocationFileTest, FifosDevicesFoldersAndHugeFilesAreRefusedAtOnce) {
  ASSERT_TRUE(testing::MakeFifo(File()));
  EXPECT_TRUE(testing::ReturnsWithoutWaiting(File(), [&] { EXPECT_FALSE(Read()); }));
  EXPECT_TRUE(result.fatal);
  EXPECT_NE(std::string::npos, result.english.find("It is not a regular file")) << result.english;
  EXPECT_TRUE(fs::is_fifo(File()));
  fs::remove(File());

  struct Case {
    std::function<void()> make;
    const char* reason;
  };
  const Case cases[] = {
      {[&] { fs::create_symlink("/dev/zero", File()); }, "It is not a regular file"},
      {[&] { fs::create_directory(File()); }, "It is not a regular file"},
      {[&] {
         Write(ImageOf({Named("CAIRO", "EGYPT")}));
         fs::resize_file(File(), kMaxLocationFileBytes + kLocationRecSize);  // sparse
       },
       "It is larger than 64 MiB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    fs::remove_all(File());
    c.make();
    EXPECT_FALSE(Read());
    EXPECT_TRUE(result.fatal);
    EXPECT_EQ(0u, result.english.find("Error: Locations file")) << result.english;
    EXPECT_NE(std::string::npos, result.english.find(c.reason)) << result.english;
  }
  EXPECT_EQ(kMaxLocationFileBytes + kLocationRecSize, fs::file_size(File()));
  EXPECT_NE(std::string::npos, result.arabic.find("حجمه أكبر من 64")) << result.arabic;
}

TEST_F(LocationFileTest, UnreadableFileIsReportedWithItsErrorText) {
  Write(ImageOf({Named("CAIRO", "EGYPT")}));
  ASSERT_TRUE(CheckLocationsFileVersion(ctx).ok);
  // The version was read; then the file became a link that loops.
  fs::remove(File());
  fs::create_symlink(kLocationFileName, File());
  const LocationFileResult converted = ConvertOldLocations(ctx);
  EXPECT_FALSE(converted.ok);
  EXPECT_TRUE(converted.fatal);
  EXPECT_NE(std::string::npos, converted.english.find("Error trying to open file"))
      << converted.english;
  EXPECT_NE(std::string::npos, converted.english.find("DOS error code")) << converted.english;
  EXPECT_EQ(0u, converted.arabic.find("تعذر فتح الملف")) << converted.arabic;
  EXPECT_EQ(std::string::npos, converted.arabic.find("Error trying")) << converted.arabic;
}

// A location file that cannot even be looked at (a link that loops) says why in the user's
// language: the Arabic message names the cause in Arabic, with its code.
TEST_F(LocationFileTest, AFileThatCannotBeReachedSaysWhyInTheUsersLanguage) {
  fs::create_symlink(kLocationFileName, File());
  const struct {
    Language lang;
    const char* cause;
  } cases[] = {
      {Language::English, "\r\nDOS error code 1040: Too many symbolic links in the path\r\n"},
      {Language::Arabic, "\r\nعدد كبير جداً من الروابط الرمزية في المسار (رمز الخطأ 1040)\r\n"},
  };
  for (const auto& c : cases) {
    const std::string text = LocationFileUnusableText(File(), c.lang);
    EXPECT_NE(std::string::npos, text.find(File().string() + c.cause)) << text;
  }
}

TEST_F(LocationFileTest, ReadOnlyFileIsMadeWritable) {
  Write(ImageOf({Named("CAIRO", "EGYPT")}));
  fs::permissions(File(), fs::perms::owner_read | fs::perms::group_read);
  ASSERT_TRUE(Read());
  EXPECT_NE(fs::perms::none, fs::status(File()).permissions() & fs::perms::owner_write);
}

TEST_F(LocationFileTest, SaveWritesOnlyAModifiedListAndRoundTrips) {
  const std::string original = ImageOf({Named("CAIRO", "EGYPT")});
  Write(original);
  ASSERT_TRUE(Read());
  EXPECT_TRUE(SaveLocations(list, ctx).ok);
  EXPECT_EQ(original, Contents());  // not modified: untouched

  TLocationRec arabic = Named("دمشق", "سوريا", 33);
  list.SetItem(0, arabic);
  EXPECT_TRUE(SaveLocations(list, ctx).ok);
  EXPECT_EQ(std::vector<std::string>{}, Leftovers());
  TLocations again;
  ASSERT_TRUE(fnReadLocations(again, ctx).ok);
  ASSERT_EQ(1, again.Count());
  EXPECT_EQ(arabic, again.GetItem(0).Rec);
}

TEST_F(LocationFileTest, FailedSaveReportsAndKeepsTheOldFile) {
  const std::string original = ImageOf({Named("CAIRO", "EGYPT")});
  Write(original);
  ASSERT_TRUE(Read());
  list.SetItem(0, Named("AMMAN", "JORDAN"));
  list.Append(std::make_unique<TLocation>(Named("HOMS", "SYRIA")));
  // A full disk: no file of this process may grow beyond the old file's size.
  rlimit saved{};
  ASSERT_EQ(0, ::getrlimit(RLIMIT_FSIZE, &saved));
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = original.size();
  ASSERT_EQ(0, ::setrlimit(RLIMIT_FSIZE, &small));
  const LocationFileResult failed = SaveLocations(list, ctx);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(failed.ok);
  EXPECT_FALSE(failed.fatal);  // the program goes on with the list in memory
  EXPECT_NE(std::string::npos, failed.english.find("Error trying to write to file: "));
  EXPECT_EQ(0u, failed.arabic.find("تعذرت الكتابة في الملف: ")) << failed.arabic;
  EXPECT_EQ(std::string::npos, failed.arabic.find("Error trying")) << failed.arabic;
  EXPECT_EQ(original, Contents());
  EXPECT_EQ(std::vector<std::string>{}, Leftovers());
  EXPECT_TRUE(list.Modified);
}

// Two copies of the program saving in one folder, in a loop, while a third reads: every read
// finds one whole list, never an empty or partial file, and every save succeeds.
TEST_F(LocationFileTest, TwoSaversNeverLeaveAReaderAnEmptyOrPartialFile) {
  const std::string first = ImageOf({Named("CAIRO", "EGYPT")});
  Write(first);
  TLocations small, large;
  small.Append(std::make_unique<TLocation>(Named("AMMAN", "JORDAN")));
  for (int i = 0; i < 200; ++i)
    large.Append(
        std::make_unique<TLocation>(Named(std::string("C").append(std::to_string(i)), "X")));
  small.Modified = large.Modified = true;
  const std::string images[] = {first, LocationsFileImage(small), LocationsFileImage(large)};

  std::vector<pid_t> savers;
  for (const TLocations* saving : {&small, &large}) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      const LocationFileContext own{dir.path()};
      int failures = 0;
      for (int i = 0; i < 150; ++i)
        failures += SaveLocations(*saving, own).ok ? 0 : 1;
      ::_exit(failures == 0 ? 0 : 1);
    }
    savers.push_back(pid);
  }
  std::vector<int> statuses(savers.size(), -1);
  int reads = 0, bad = 0;
  while (std::find(statuses.begin(), statuses.end(), -1) != statuses.end()) {
    for (std::size_t i = 0; i < savers.size(); ++i) {
      int status = 0;
      if (statuses[i] == -1 && ::waitpid(savers[i], &status, WNOHANG) == savers[i])
        statuses[i] = status;
    }
    std::string bytes;
    EXPECT_EQ(0, ReadWholeFile(File(), bytes));
    ++reads;
    if (std::find(std::begin(images), std::end(images), bytes) == std::end(images))
      ++bad;
  }
  EXPECT_EQ(0, bad) << "of " << reads << " reads";
  for (const int status : statuses)
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_TRUE(Contents() == images[1] || Contents() == images[2]);
  EXPECT_EQ(std::vector<std::string>{}, Leftovers());
}

// The save never opens a name given in advance: a link planted under the old fixed name of the
// temporary file, or under the lock file's name, leads nowhere.
TEST_F(LocationFileTest, SaveNeverFollowsAPlantedLink) {
  Write(ImageOf({Named("CAIRO", "EGYPT")}));
  ASSERT_TRUE(Read());
  TempDir outside;
  const fs::path victim = outside.path() / "victim";
  std::ofstream(victim) << "keep";
  fs::create_symlink(victim, dir.path() / "VEK$$$.$$$");
  fs::create_symlink(victim, dir.path() / kSaveLockFileName);
  list.SetItem(0, Named("AMMAN", "JORDAN"));
  const LocationFileResult saved = SaveLocations(list, ctx);
  EXPECT_TRUE(saved.ok) << saved.english;
  std::ifstream in(victim);
  EXPECT_EQ("keep", std::string(std::istreambuf_iterator<char>(in), {}));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "VEK$$$.$$$"));
  EXPECT_EQ(ImageOf({Named("AMMAN", "JORDAN")}), Contents());
}

TEST_F(LocationFileTest, DebugSwitchTracesTheReading) {
  SetDebugLogging(true, true);
  SetLogFileName(dir.path() / "VEK_LOG.TXT");
  Write(ImageOf(
      {Named("A1", "X"), Named("A2", "X"), Named("A3", "X"), Named("A4", "X"), Named("A5", "X")}));
  ASSERT_TRUE(Read());
  SetDebugLogging(false, false);
  SetLogFileName({});

  std::ifstream in(dir.path() / "VEK_LOG.TXT", std::ios::binary);
  const std::string log(std::istreambuf_iterator<char>(in), {});
  for (const char* line : {"Loctns: entering fnReadLocations", "\r\nVersion Record:\r\nCity: 2222",
                           "\r\nItem Number:3\r\nCity: A3", "\r\nLast Item in file:5\r\nCity: A5",
                           "Total Records read from file= 5", "*** END OF DEBUGGING ***"}) {
    EXPECT_NE(std::string::npos, log.find(line)) << line;
  }
  EXPECT_EQ(std::string::npos, log.find("Item Number:4"));
}

}  // namespace
}  // namespace vek
