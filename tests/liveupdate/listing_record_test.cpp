#include "liveupdate/listing_record.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/special_files.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

TEST(ListingRecord, LaysOutEveryFieldAtItsOffset) {
  TListingRec rec;
  rec.Text = ";Directory: x/";
  rec.Author = "مؤلف";  // four Arabic letters: four bytes in code page 1256
  rec.FileName = "VEK.LOC";
  rec.Size = -2;
  rec.Date = 0x89ABCDEF;
  rec.Module = 2;
  rec.NewerOnly = 1;
  rec.IsTextBook = 1;
  rec.NoSuchFolder = 1;
  rec.Kind = riIsDir;
  rec.State = 1;
  std::string bytes;
  AppendListingRec(rec, bytes);
  ASSERT_EQ(kListingRecSize, bytes.size());
  EXPECT_EQ(14, bytes[0]);
  EXPECT_EQ(";Directory: x/", bytes.substr(1, 14));
  EXPECT_EQ(4, bytes[81]);
  EXPECT_EQ("\xE3\xC4\xE1\xDD", bytes.substr(82, 4));
  EXPECT_EQ(7, bytes[132]);
  EXPECT_EQ("VEK.LOC", bytes.substr(133, 7));
  EXPECT_EQ(std::string("\xFE\xFF\xFF\xFF", 4), bytes.substr(152, 4));
  EXPECT_EQ(std::string("\xEF\xCD\xAB\x89", 4), bytes.substr(156, 4));
  EXPECT_EQ(std::string("\x02\x01\x01\x01\x01\x01\x00\x00", 8), bytes.substr(160, 8));
  EXPECT_EQ(std::string(66, '\0'), bytes.substr(15, 66));  // the unused rest of the text field

  const TListingRec back = DecodeListingRec(bytes);
  EXPECT_EQ(rec.Text, back.Text);
  EXPECT_EQ(rec.Author, back.Author);
  EXPECT_EQ(rec.FileName, back.FileName);
  EXPECT_EQ(-2, back.Size);
  EXPECT_EQ(0x89ABCDEFu, back.Date);
  EXPECT_EQ(riIsDir, back.Kind);
}

TEST(ListingRecord, CutsTextsToTheirFieldsAndClampsLengthBytes) {
  TListingRec rec;
  rec.Text = std::string(100, 'T');
  rec.FileName = "A_NAME_OF_TWENTY_CH";
  std::string bytes;
  AppendListingRec(rec, bytes);
  EXPECT_EQ(80, static_cast<unsigned char>(bytes[0]));
  EXPECT_EQ("A_NAME_OF_TWENTY_C", DecodeListingRec(bytes).FileName);

  // Length bytes of 255 read no further than their fields.
  std::string hostile(kListingRecSize, 'x');
  hostile[0] = hostile[81] = hostile[132] = '\xFF';
  const TListingRec read = DecodeListingRec(hostile);
  EXPECT_EQ(80u, read.Text.size());
  EXPECT_EQ(50u, read.Author.size());
  EXPECT_EQ(18u, read.FileName.size());
}

TEST(ListingRecord, RefusesAListingThatIsNotWholeRecordsOrTooLarge) {
  RecordFileError error;
  EXPECT_TRUE(DecodeListing("", error).empty());
  EXPECT_EQ(RecordFileError::None, error);
  EXPECT_EQ(2u, DecodeListing(std::string(2 * kListingRecSize, '\0'), error).size());
  EXPECT_TRUE(DecodeListing(std::string(2 * kListingRecSize - 1, '\0'), error).empty());
  EXPECT_EQ(RecordFileError::NotWholeRecords, error);
  EXPECT_TRUE(DecodeListing(std::string(kMaxListingBytes + kListingRecSize, '\0'), error).empty());
  EXPECT_EQ(RecordFileError::TooLarge, error);
}

// A listing or ignore file that is a FIFO or a device is refused before anything is read.
TEST(ListingRecord, ReadingRefusesFifosAndDevicesAtOnce) {
  testing::TempDir dir;
  const std::filesystem::path fifo = dir.path() / "IGNORE.REC";
  ASSERT_TRUE(testing::MakeFifo(fifo));
  std::string bytes;
  int e = 0;
  RecordFileError error = RecordFileError::None;
  EXPECT_TRUE(
      testing::ReturnsWithoutWaiting(fifo, [&] { error = ReadRecordFile(fifo, bytes, e); }));
  EXPECT_EQ(RecordFileError::NotRegularFile, error);
  EXPECT_EQ(RecordFileError::NotRegularFile, ReadRecordFile("/dev/zero", bytes, e));
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(
      "The file is not a regular file:\r\n/dev/zero",
      RecordFileErrorText(RecordFileError::NotRegularFile, 0, "/dev/zero", Language::English));
}

TEST(IgnoreRecord, RoundTripsAndKeepsTheWholeRecordsOfACutFile) {
  TIgnoreRec rec{"zuzuz623.exe", 1234567, 0xF0000001, std::string(140, 'd')};
  std::string bytes;
  AppendIgnoreRec(rec, bytes);
  ASSERT_EQ(kIgnoreRecSize, bytes.size());
  EXPECT_EQ(12, bytes[0]);
  EXPECT_EQ(std::string("\x87\xD6\x12\x00", 4), bytes.substr(20, 4));
  EXPECT_EQ(131, static_cast<unsigned char>(bytes[28]));
  AppendIgnoreRec(rec, bytes);
  bytes += "partial";
  bool cut = false;
  RecordFileError error;
  const std::vector<TIgnoreRec> read = DecodeIgnoreFile(bytes, cut, error);
  EXPECT_TRUE(cut);
  ASSERT_EQ(2u, read.size());
  EXPECT_EQ("zuzuz623.exe", read[1].FileName);
  EXPECT_EQ(0xF0000001u, read[1].Date);
  EXPECT_EQ(std::string(131, 'd'), read[1].Description);
}

TEST(PlainFileName, AdmitsOnlyNamesThatCannotBecomePaths) {
  for (const char* good :
       {"VEK.LOC", "S5.WAV", "ZUZUZ623.EXE", "GO-VEK.Z", "A", "دعاء.TXT", "EXACTLY18CHARS.TXT"}) {
    EXPECT_TRUE(IsPlainFileName(good)) << good;
  }
  for (const char* bad :
       {"", "../X.EXE", "GO-VEK/../../x", "SOUNDS/../x", ".PROFILE", "A\r\nB.TXT", "..", "A\\B.TXT",
        "C:X", "A*.TXT", "A?.TXT", "A\".TXT", "A<B", "A>B", "A|B", "NAME.", "NAME ", "A\x7F",
        "A\tB", "NINETEEN_CHARS.TXT1", "\xFF\xFE",
        // characters that do not print: the name would show as another one
        "DIRIZ\u200F\u200E.EXE", "S1\u200C.WAV", "ZUZUZ\u200D623.EXE", "VEK\u00AD.LOC"}) {
    EXPECT_FALSE(IsPlainFileName(bad)) << bad;
  }
  EXPECT_FALSE(IsPlainFileName(std::string("A\0B", 3)));
}

}  // namespace
}  // namespace vek
