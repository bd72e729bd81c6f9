// The check of a downloaded file with the program's own reader before it replaces a file, and the
// dated copy of the user's own data.
#include "liveupdate/download_check.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <ctime>
#include <set>

#include "foundation/file_io.h"
#include "liveupdate/live_update_files.h"
#include "locations/location_file.h"
#include "support/fake_file_system.h"
#include "support/fake_ui.h"
#include "support/file_bytes.h"
#include "support/locations_fixture.h"
#include "support/temp_dir.h"
#include "support/zip_file.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::FakeFileSystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::ZipBytes;

// A whole bitmap of 2 x 2 pixels, 24 bits each.
std::string Bitmap() {
  std::string b(70, '\0');
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
      b[at + i] = static_cast<char>(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, 70);
  put32(10, 54);
  put32(14, 40);
  put32(18, 2);
  put32(22, 2);
  b[26] = 1;
  b[28] = 24;
  return b;
}

// 10 January 2025 at that local time.
std::chrono::system_clock::time_point LocalTime(int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = 125;
  tm.tm_mon = 0;
  tm.tm_mday = 10;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

class DownloadCheck : public ::testing::Test {
 protected:
  TDownloadCheck Check(const std::string& name, const std::string& bytes,
                       std::int64_t listedSize = -1) {
    EXPECT_EQ(0, WriteFileReplacing(file, bytes));
    return CheckDownloadedFile(file, name, setup, listedSize);
  }

  TempDir dir;
  TDownloadCheckSetup setup{.clockFaces = {"WENQ140A", "NONE140"}};
  fs::path file = dir.path() / "download.tovarelin";
};

TEST_F(DownloadCheck, AFileTheProgramReadsMustReadWithItsReader) {
  const std::string bitmap = Bitmap();
  // An archive whose wave file is damaged on the way: its checksum no longer fits.
  std::string damaged = ZipBytes({{"ALEPPO.WAV", "RIFF wave data"}}, true);
  damaged[damaged.find("wave data")] = 'W';
  struct Case {
    const char* name;
    std::string bytes;
    bool reads;
    const char* why;  // part of the English reason
  };
  const Case cases[] = {
      {"VEK.LOC", testing::SampleLocationsImage(2), true, ""},
      {"vek.loc", testing::SampleLocationsImage(0), true,
       ""},  // only the version record: an empty list
      {"vek.loc", std::string(100, 'x'), false, "version record"},
      {"vek.loc", testing::SampleLocationsImage(2) + "garbage", false,
       "no whole number of 92-byte records"},
      {"vek.loc", std::string(8800, 'x'), false, "version record"},
      {"vek.loc",
       testing::SampleLocationsImage(1) + testing::SampleLocationsImage(1).substr(0, 2) +
           std::string(90, '\xff'),
       false, "Location 2 of 2"},
      {"vek.loc", "", false, ""},
      {"VEK.INI", "[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n", true, ""},
      {"vek.ini", "<html><body>404 Not Found</body></html>", false, "Orvessa, by Al Tovarelin"},
      {"IGNORE.REC", std::string(320, '\0'), true, ""},
      {"ignore.rec", std::string(100, '\0'), false, "whole records"},
      {"vekdirs.rec", std::string(168, '\0'), true, ""},
      {"VEKDIRS.DWN", std::string(170, '\0'), false, "whole records"},
      {"go-aleppo.z", ZipBytes({{"ALEPPO.WAV", "RIFF wave"}}), true, ""},
      {"GO-AZHM1.Z", ZipBytes({{"azhan_m1.wav", "RIFF wave"}}), true, ""},
      {"S30.ZIP", ZipBytes({{"S30.WAV", "RIFF wave"}}), true, ""},
      {"go-aleppo.z", ZipBytes({{"EGYPT1.WAV", "RIFF wave"}}), false, "ALEPPO.WAV"},
      {"go-aleppo.z", damaged, false, "ALEPPO.WAV"},
      {"go-s5.z", "<html>moved</html>", false, "S5.WAV"},
      {"WENQ140A.ZIP", ZipBytes({{"WENQ140A.BMP", bitmap}}), true, ""},
      {"wenq140a.zip", ZipBytes({{"WENQ140A.BMP", bitmap.substr(0, 60)}}), false, "WENQ140A.BMP"},
      {"None140.bmp", bitmap, true, ""},
      {"NONE140.BMP", bitmap.substr(0, 60), false, "NONE140.BMP"},
      // Not the program's to read: taken as they come.
      {"zuzuz623.exe", "anything", true, ""},
      {"go-intro.z", "anything", true, ""},
      {"go-beep.z", "anything", true, ""},  // no adhan's and no recitation's archive
      {"goxbeep.z", "anything", true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name + std::string(" ") + std::to_string(c.bytes.size()));
    const TDownloadCheck check = Check(c.name, c.bytes);
    EXPECT_EQ(c.reads, check.reads);
    if (!c.reads) {
      EXPECT_NE(std::string::npos, check.english.find(c.why)) << check.english;
      EXPECT_FALSE(check.arabic.empty());
      EXPECT_NE(check.english, check.arabic);
    }
    // Nothing is written beside the file.
    EXPECT_EQ(1, std::distance(fs::directory_iterator(dir.path()), {}));
  }
}

// A small archive whose wave file inflates far beyond the size the listing gives for it: it is
// refused, however well it reads, before the restarted program unpacks it.
TEST_F(DownloadCheck, ASoundArchiveHoldsNoMoreThanTheListingGives) {
  const std::string zeros(16u << 20, '\0');
  const std::string bomb = ZipBytes({{"ALEPPO.WAV", zeros}});
  ASSERT_LT(bomb.size(), 100000u);
  const TDownloadCheck refused = Check("go-aleppo.z", bomb, 140000);
  EXPECT_FALSE(refused.reads);
  EXPECT_EQ(
      "The file ALEPPO.WAV in it is 16,777,216 bytes, larger than the listing gives "
      "(140,000 bytes)",
      refused.english);
  EXPECT_EQ("الملف ALEPPO.WAV فيه حجمه 16,777,216 بايت، أكبر مما تذكره القائمة (140,000 بايت)",
            refused.arabic);
  EXPECT_TRUE(Check("go-aleppo.z", bomb, zeros.size()).reads);
  EXPECT_FALSE(Check("go-aleppo.z", bomb, zeros.size() - 1).reads);
  // No listed size: the start-up's own cap.
  EXPECT_TRUE(Check("go-aleppo.z", bomb, -1).reads);
}

TEST(DownloadKeep, TheUsersOwnDataIsKept) {
  for (const char* name : {"VEK.LOC", "vek.loc", "Vek.Ini"})
    EXPECT_TRUE(KeptBeforeReplacement(name)) << name;
  for (const char* name : {"IGNORE.REC", "go-aleppo.z", "zuzuz623.exe", "VEK.LOC.BAK"})
    EXPECT_FALSE(KeptBeforeReplacement(name)) << name;
}

TEST(DownloadKeep, ACopyGetsADatedNameOfItsOwn) {
  TempDir dir;
  const fs::path file = dir.path() / "VEK.LOC";
  ASSERT_EQ(0, WriteFileReplacing(file, "the user's locations"));
  const fs::path folder = dir.path() / "DOWNLOADED FILES";
  fs::create_directories(folder);
  const auto now = LocalTime(9, 5, 7);
  const TKeptCopy first = KeepDatedCopy(file, folder, now);
  ASSERT_EQ(0, first.error);
  EXPECT_EQ(folder / "VEK-20250110-090507.LOC", first.copy);
  EXPECT_EQ("the user's locations", ReadBytes(first.copy));
  // A second in the same second does not replace the first.
  const TKeptCopy second = KeepDatedCopy(file, folder, now);
  EXPECT_EQ(folder / "VEK-20250110-090507-2.LOC", second.copy);
  EXPECT_EQ(fs::last_write_time(file), fs::last_write_time(second.copy));

  // A copy that cannot be written leaves nothing.
  FakeFileSystem failing;
  failing.failRename = [](const fs::path&, const fs::path&) { return ENOSPC; };
  const TKeptCopy failed = KeepDatedCopy(file, folder, now, failing);
  EXPECT_EQ(ENOSPC, failed.error);
  EXPECT_TRUE(failed.copy.empty());
  EXPECT_EQ(2, std::distance(fs::directory_iterator(folder), {}));
}

// Each new copy deletes the oldest of its name beyond the newest five, by the date and time in
// their names (a "-2" made in the same second is the newer); other files stay. The copy just made
// always stays, also when the clock went back and five copies bear later stamps.
TEST(DownloadKeep, TheNewestFiveCopiesOfANameStay) {
  struct Case {
    const char* what;
    std::vector<std::string> before;  // dated copies already in the folder
    std::set<std::string> stay;       // of those
    std::vector<std::string> removed;
  };
  const Case cases[] = {
      {"older copies",
       {"VEK-20240101-000000.LOC", "vek-20240101-000000-2.loc", "VEK-20240101-000000-10.LOC",
        "VEK-20240301-120000.LOC", "VEK-20231231-235959.LOC", "VEK-20240101-000001.LOC"},
       {"VEK-20240301-120000.LOC", "VEK-20240101-000001.LOC", "VEK-20240101-000000-10.LOC",
        "vek-20240101-000000-2.loc"},
       {"VEK-20240101-000000.LOC", "VEK-20231231-235959.LOC"}},
      {"the clock went back",
       {"VEK-20250111-080000.LOC", "VEK-20250111-090000.LOC", "VEK-20250112-090000.LOC",
        "VEK-20250113-090000.LOC", "VEK-20250114-090000.LOC"},
       {"VEK-20250111-090000.LOC", "VEK-20250112-090000.LOC", "VEK-20250113-090000.LOC",
        "VEK-20250114-090000.LOC"},
       {"VEK-20250111-080000.LOC"}},
  };
  const std::vector<std::string> others = {"VEK-20200101-000000.INI", "VEK-2020.LOC",
                                           "VEK-20200101-000000-x.LOC", "NOTES.TXT"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const fs::path file = dir.path() / "VEK.LOC";
    ASSERT_EQ(0, WriteFileReplacing(file, "the user's locations"));
    const fs::path folder = dir.path() / "DOWNLOADED FILES";
    fs::create_directories(folder);
    for (const std::string& name : c.before)
      ASSERT_EQ(0, WriteFileReplacing(folder / name, "old"));
    for (const std::string& name : others)
      ASSERT_EQ(0, WriteFileReplacing(folder / name, "other"));
    const TKeptCopy kept = KeepDatedCopy(file, folder, LocalTime(9, 0, 0));
    ASSERT_EQ(0, kept.error);
    EXPECT_EQ(folder / "VEK-20250110-090000.LOC", kept.copy);
    EXPECT_EQ("the user's locations", ReadBytes(kept.copy));
    std::set<std::string> left;
    for (const fs::directory_entry& e : fs::directory_iterator(folder))
      left.insert(e.path().filename().string());
    std::set<std::string> stay = c.stay;
    stay.insert(others.begin(), others.end());
    stay.insert(kept.copy.filename().string());
    EXPECT_EQ(stay, left);
    std::vector<fs::path> removed;
    for (const std::string& name : c.removed)
      removed.push_back(folder / name);
    EXPECT_EQ(removed, kept.removed);
  }
}

// What a run killed midway left: the downloads under their temporary names and a copy's
// temporary file go at the next start once they are stale; a fresh one and other files stay.
TEST(DownloadLeftovers, StaleTemporaryFilesGoAtStart) {
  TempDir dir;
  const fs::path prog = dir.path();
  const auto now = std::chrono::system_clock::from_time_t(1735812000);
  const auto write = [&](const fs::path& file, std::chrono::minutes age) {
    fs::create_directories(file.parent_path());
    ASSERT_EQ(0, WriteFileReplacing(file, "left"));
    fs::last_write_time(file, std::chrono::file_clock::from_sys(now - age));
  };
  const std::chrono::minutes stale(11), fresh(9);
  write(prog / "go-aleppo.z.tovarelin", stale);
  write(prog / "VEK.LOC.tovarelin", stale);
  write(prog / "LiveUpdate" / "vekdirs.dwn.tovarelin", stale);
  write(prog / "DOWNLOADED FILES" / "$TMP_WRK.$_$a1B2c3", stale);
  write(prog / "zuzuz623.exe.tovarelin", fresh);
  write(prog / "VEK.LOC", stale);
  write(prog / ".tovarelin", stale);
  write(prog / "DOWNLOADED FILES" / "VEK-20250101-000000.LOC", stale);
  write(prog / "SOUNDS" / "x.tovarelin", stale);

  EXPECT_EQ(4, RemoveStaleDownloads(prog, now));
  std::set<std::string> left;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(prog))
    if (e.is_regular_file())
      left.insert(e.path().lexically_relative(prog).generic_string());
  EXPECT_EQ(
      (std::set<std::string>{"zuzuz623.exe.tovarelin", "VEK.LOC", ".tovarelin",
                             "DOWNLOADED FILES/VEK-20250101-000000.LOC", "SOUNDS/x.tovarelin"}),
      left);
}

}  // namespace
}  // namespace vek
