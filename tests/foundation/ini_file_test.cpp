#include "foundation/ini_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <limits>
#include <string>
#include <vector>

#include "foundation/file_io.h"
#include "support/special_files.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// Mixed line ends, comments, blank lines, odd spacing, an Arabic value in code page 1256
// ("القاهرة"), a key line before the first section and a last line without line end.
const std::string kMessy =
    "; VEK settings\r\n"
    "stray=1\r\n"
    "\r\n"
    "[Main]\r\n"
    "City = \xC7\xE1\xDE\xC7\xE5\xD1\xC9  \r\n"
    "Language=1\n"
    "  Zone  =  +2  ; not a comment\r\n"
    "# hash comment\r\n"
    "junk without equals\r\n"
    "\r\n"
    "[ Other Program ]\r\n"
    "Keep=me\r\n"
    "\r\n"
    "[Colours]\n"
    "Text=$FF\n"
    "last=no newline";

class IniFileTest : public ::testing::Test {
 protected:
  // An IniFile loaded from a file holding bytes.
  IniFile Loaded(const std::string& bytes, const std::string& name = "VEK.INI") {
    const fs::path p = dir.path() / name;
    EXPECT_EQ(0, WriteFileReplacing(p, bytes));
    IniFile ini;
    EXPECT_EQ(0, ini.Load(p));
    return ini;
  }
  static std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  }
  static std::string Read(const fs::path& p) {
    std::string s;
    EXPECT_EQ(0, ReadWholeFile(p, s));
    return s;
  }

  TempDir dir;
};

TEST_F(IniFileTest, UnchangedFileComesBackByteForByte) {
  IniFile ini = Loaded(kMessy);
  EXPECT_EQ(kMessy, ini.Image());
  ASSERT_EQ(0, ini.UpdateFile());
  EXPECT_EQ(kMessy, Read(ini.FileName()));
}

TEST_F(IniFileTest, FindsSectionsAndKeysIgnoringCaseWithTrimmedValues) {
  const IniFile ini = Loaded(kMessy);
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"main", "CITY", "القاهرة"},
      {"MAIN", "zone", "+2  ; not a comment"},
      {"other program", "keep", "me"},
      {"Colours", "LAST", "no newline"},
      {"Main", "junk without equals", "-"},
      {"Main", "Keep", "-"},  // belongs to the next section
      {"", "stray", "-"},     // lines before the first section hold no keys
      {"Missing", "City", "-"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, ini.ReadString(c.section, c.key, "-")) << c.section << "/" << c.key;
    EXPECT_EQ(std::string(c.expected) != "-", ini.ValueExists(c.section, c.key)) << c.key;
  }
  EXPECT_EQ((std::vector<std::string>{"Main", "Other Program", "Colours"}), ini.ReadSections());
  EXPECT_EQ((std::vector<std::string>{"City", "Language", "Zone"}), ini.ReadSection("MAIN"));
  EXPECT_TRUE(ini.SectionExists("colours"));
  EXPECT_FALSE(ini.SectionExists(""));
}

TEST_F(IniFileTest, UpdatingAKeyRewritesOnlyItsLine) {
  struct Case {
    const char* section;
    const char* key;
    const char* value;
    const char* oldLine;
    const char* newLine;
  };
  const Case cases[] = {
      {"MAIN", "zone", "3", "  Zone  =  +2  ; not a comment\r\n", "Zone=3\r\n"},
      {"main", "language", "0", "Language=1\n", "Language=0\n"},
      {"Main", "City", "مكة", "City = \xC7\xE1\xDE\xC7\xE5\xD1\xC9  \r\n", "City=\xE3\xDF\xC9\r\n"},
      {"colours", "last", "x", "last=no newline", "last=x"},
  };
  for (const Case& c : cases) {
    IniFile ini = Loaded(kMessy);
    ini.WriteString(c.section, c.key, c.value);
    EXPECT_EQ(Replaced(kMessy, c.oldLine, c.newLine), ini.Image()) << c.key;
    EXPECT_EQ(c.value, ini.ReadString(c.section, c.key, "-"));
  }
  // Writing the value a line already holds leaves its bytes alone.
  IniFile ini = Loaded(kMessy);
  ini.WriteString("Main", "City", "القاهرة");
  EXPECT_EQ(kMessy, ini.Image());
}

TEST_F(IniFileTest, NewKeyGoesAfterTheLastKeyOfItsSection) {
  IniFile ini = Loaded(kMessy);
  ini.WriteString("main", "New", "v");
  ini.WriteInteger("Colours", "Count", -5);
  ini.WriteBool("Other Program", "On", true);
  std::string expected = Replaced(kMessy, "; not a comment\r\n", "; not a comment\r\nNew=v\r\n");
  expected = Replaced(expected, "Keep=me\r\n", "Keep=me\r\nOn=1\r\n");
  expected += "\r\nCount=-5\r\n";
  EXPECT_EQ(expected, ini.Image());

  // A section without keys gets it right after its header.
  IniFile bare = Loaded("[A]\r\n; about A\r\n\r\n[B]\r\n");
  bare.WriteString("A", "k", "v");
  EXPECT_EQ("[A]\r\nk=v\r\n; about A\r\n\r\n[B]\r\n", bare.Image());
}

TEST_F(IniFileTest, NewSectionIsAppendedAfterABlankLine) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "[New]\r\nk=v\r\n"},
      {"[A]\nx=1\n", "[A]\nx=1\n\r\n[New]\r\nk=v\r\n"},
      {"[A]\r\nx=1", "[A]\r\nx=1\r\n\r\n[New]\r\nk=v\r\n"},
      {"; only a comment", "; only a comment\r\n\r\n[New]\r\nk=v\r\n"},
  };
  for (const auto& [before, after] : cases) {
    IniFile ini = Loaded(before);
    ini.WriteString("New", "k", "v");
    EXPECT_EQ(after, ini.Image()) << before;
  }
}

TEST_F(IniFileTest, ArabicTextSurvivesTheFileAndLineBreaksBecomeBlanks) {
  const fs::path p = dir.path() / "VEK.INI";
  IniFile ini;
  ASSERT_EQ(0, ini.Load(p));  // a missing file is an empty one
  EXPECT_EQ(p, ini.FileName());
  ini.WriteString("Location", "Name", "سطر\r\nثان");
  ini.WriteString("Location", "Mark", "ok ✓");  // no byte in the code page
  ASSERT_EQ(0, ini.UpdateFile());
  EXPECT_EQ("[Location]\r\nName=\xD3\xD8\xD1  \xCB\xC7\xE4\r\nMark=ok ?\r\n", Read(p));

  const IniFile again(p);
  EXPECT_EQ("سطر  ثان", again.ReadString("location", "name", ""));
  EXPECT_EQ("ok ?", again.ReadString("Location", "Mark", ""));
  EXPECT_EQ("ok ?", ini.ReadString("Location", "Mark", ""));  // memory agrees with the file
}

TEST_F(IniFileTest, IntegersAndBooleans) {
  constexpr long kDef = -99;
  const std::string max = std::to_string(std::numeric_limits<long>::max());
  const std::string min = std::to_string(std::numeric_limits<long>::min());
  const std::pair<std::string, long> cases[] = {
      {"12", 12},
      {"  -7 ", -7},
      {"+5", 5},
      {"0", 0},
      {"$1F", 31},
      {"0x1f", 31},
      {"0X10", 16},
      {"-$10", -16},
      {max, std::numeric_limits<long>::max()},
      {min, std::numeric_limits<long>::min()},
      {"9223372036854775808", kDef},
      {"-9223372036854775809", kDef},
      {"$8000000000000000", kDef},
      {"12a", kDef},
      {"1 2", kDef},
      {"True", kDef},
      {"", kDef},
      {"-", kDef},
      {"$", kDef},
      {"0x", kDef},
      {"$G", kDef},
      {"1.5", kDef},
  };
  IniFile ini;
  for (const auto& [text, expected] : cases) {
    ini.WriteString("N", "k", text);
    EXPECT_EQ(expected, ini.ReadInteger("N", "k", kDef)) << "'" << text << "'";
  }

  const std::pair<std::string, bool> bools[] = {{"0", false}, {"1", true}, {"2", true}};
  for (const auto& [text, expected] : bools) {
    ini.WriteString("B", "k", text);
    EXPECT_EQ(expected, ini.ReadBool("B", "k", !expected)) << text;
  }
  ini.WriteString("B", "k", "True");  // not a number: the default
  EXPECT_TRUE(ini.ReadBool("B", "k", true));
  EXPECT_FALSE(ini.ReadBool("B", "k", false));
  EXPECT_TRUE(ini.ReadBool("B", "missing", true));
  ini.WriteBool("B", "k", false);
  EXPECT_EQ("0", ini.ReadString("B", "k", ""));
}

TEST_F(IniFileTest, DuplicatesEraseSectionAndDeleteKey) {
  IniFile ini = Loaded(
      "[A]\r\n"
      "x=1\r\n"
      "X=2\r\n"
      "y=3\r\n"
      "\r\n"
      "[B]\r\n"
      "z=4\r\n"
      "[a]\r\n"
      "x=5\r\n");
  // The first section of a name and the first of duplicate keys count, for reading and writing.
  EXPECT_EQ("1", ini.ReadString("a", "x", ""));
  EXPECT_EQ((std::vector<std::string>{"A", "B"}), ini.ReadSections());
  EXPECT_EQ((std::vector<std::string>{"x", "y"}), ini.ReadSection("A"));
  ini.WriteString("a", "X", "9");
  EXPECT_EQ("[A]\r\nx=9\r\nX=2\r\ny=3\r\n\r\n[B]\r\nz=4\r\n[a]\r\nx=5\r\n", ini.Image());

  // Deleting a key takes its duplicate too, so the older value does not come back.
  ini.DeleteKey("A", "x");
  EXPECT_FALSE(ini.ValueExists("A", "x"));
  EXPECT_EQ("[A]\r\ny=3\r\n\r\n[B]\r\nz=4\r\n[a]\r\nx=5\r\n", ini.Image());
  ini.DeleteKey("Missing", "y");
  ini.DeleteKey("B", "missing");

  // Erasing takes every section of the name with all its lines.
  ini.EraseSection("a");
  EXPECT_FALSE(ini.SectionExists("A"));
  EXPECT_EQ("[B]\r\nz=4\r\n", ini.Image());
  ini.EraseSection("B");
  EXPECT_EQ("", ini.Image());
}

TEST_F(IniFileTest, UpdateFileIntoAMissingFolderFailsAndCreatesNothing) {
  IniFile ini;
  EXPECT_EQ(0, ini.Load(dir.path() / "missing" / "VEK.INI"));
  ini.WriteString("Main", "k", "v");
  EXPECT_EQ(ENOENT, ini.UpdateFile());
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(IniFileTest, AFileThatCouldNotBeReadIsNotReplaced) {
  // A link to itself cannot be read, though the folder is writable (permissions would not stop
  // a test run as root).
  const fs::path p = dir.path() / "VEK.INI";
  fs::create_symlink("VEK.INI", p);
  IniFile ini;
  EXPECT_EQ(ELOOP, ini.Load(p));
  EXPECT_TRUE(ini.ReadSections().empty());
  ini.WriteString("Main", "k", "v");
  EXPECT_EQ(ELOOP, ini.UpdateFile());
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(p)));
  EXPECT_EQ(1, std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()));
}

// Only a regular file of at most 4 MiB is read: a FIFO is refused without waiting for a writer,
// a device without reading it, a larger file without reading it whole; none is written over.
TEST_F(IniFileTest, FifosDevicesAndHugeFilesAreRefusedAtOnceAndKept) {
  const fs::path p = dir.path() / "VEK.INI";
  ASSERT_TRUE(testing::MakeFifo(p));
  IniFile fifo;
  EXPECT_TRUE(testing::ReturnsWithoutWaiting(p, [&] { EXPECT_EQ(EINVAL, fifo.Load(p)); }));
  EXPECT_EQ(ReadRefusal::NotRegularFile, fifo.LoadResult().refusal);
  fifo.WriteString("Main", "k", "v");
  EXPECT_NE(0, fifo.UpdateFile());
  EXPECT_TRUE(fs::is_fifo(p));
  fs::remove(p);

  fs::create_symlink("/dev/zero", p);
  IniFile zero(p);
  EXPECT_EQ(ReadRefusal::NotRegularFile, zero.LoadResult().refusal);
  EXPECT_EQ("It is not a regular file", ReadRefusalText(zero.LoadResult(), false));
  fs::remove(p);

  // Millions of short lines.
  const std::string huge(IniFile::kMaxFileBytes + 1, '\n');
  ASSERT_EQ(0, WriteFileReplacing(p, huge));
  IniFile big;
  EXPECT_EQ(EFBIG, big.Load(p));
  EXPECT_EQ("It is larger than 4 MiB", ReadRefusalText(big.LoadResult(), false));
  big.WriteString("Main", "k", "v");
  EXPECT_EQ(EFBIG, big.UpdateFile());
  EXPECT_EQ(huge.size(), fs::file_size(p));

  // At the limit the file is read, and blank lines cost no memory per line.
  std::string full = "[Main]\r\nk=v\r\n";
  full.resize(IniFile::kMaxFileBytes, '\n');
  IniFile limit(Loaded(full));
  EXPECT_TRUE(limit.LoadResult().ok());
  EXPECT_EQ("v", limit.ReadString("main", "K", ""));
  EXPECT_EQ(full, limit.Image());
}

// A save never writes what Load would refuse: a file that new keys take past the limit stays
// as it was (and so can be read again), while a change that keeps it within the limit is saved.
TEST_F(IniFileTest, AnImageBeyondTheLimitIsNeverWritten) {
  std::string full = "[Other Program]\r\n";
  full.resize(IniFile::kMaxFileBytes - 7, ';');
  full += "\r\nk=v\r\n";
  ASSERT_EQ(IniFile::kMaxFileBytes, full.size());
  IniFile grown = Loaded(full);
  grown.WriteString("Main", "Language", "English");
  EXPECT_GT(grown.Image().size(), IniFile::kMaxFileBytes);
  EXPECT_EQ(EFBIG, grown.UpdateFile());
  EXPECT_TRUE(full == Read(grown.FileName()));
  EXPECT_EQ(1, std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()));

  IniFile same(grown.FileName());
  ASSERT_TRUE(same.LoadResult().ok());
  same.WriteString("Other Program", "k", "w");
  EXPECT_EQ(0, same.UpdateFile());
  full.replace(full.size() - 3, 1, "w");
  EXPECT_TRUE(full == Read(same.FileName()));
}

}  // namespace
}  // namespace vek
