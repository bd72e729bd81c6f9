#include "foundation/resource_pack.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <vector>

#include "foundation/debug_log.h"
#include "foundation/file_io.h"
#include "support/fake_file_system.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

// The files under tests/foundation/fixtures, carried by this test program.
const vek::ResourceModule& TestResourcePacks();

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::ExpectFileBytes;
using testing::FakeFileSystem;
using testing::NamesIn;
using testing::TempDir;

const fs::path kFixtures = fs::path(VEK_SOURCE_DIR) / "tests" / "foundation" / "fixtures";

void WriteFile(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

TEST(ResourcePack, NameRuleDropsEveryDotAndTildeAndNothingElse) {
  const struct {
    const char* file;
    const char* name;
  } cases[] = {
      {"Ablk140.zip", "Ablk140zip"},       {"L3codecp.acm", "L3codecpacm"},  {"a.b.zip", "abzip"},
      {"~Wenq~140a..zip~", "Wenq140azip"}, {"no_dots-here", "no_dots-here"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.name, ResourceNameOf(c.file)) << c.file;
}

TEST(ResourcePack, FolderAndNameAreJoinedWithOneSlash) {
  for (const char* folder : {"/data/faces", "/data/faces/"}) {
    EXPECT_EQ("/data/faces/Ablk140.zip", JoinFolderAndName(folder, "Ablk140.zip").string());
    // A leading '/' does not take the file out of the folder.
    EXPECT_EQ("/data/faces/Ablk140.zip", JoinFolderAndName(folder, "/Ablk140.zip").string());
  }
}

TEST(ResourcePack, LookupIgnoresCaseAndAnswersNothingForMissingOrEmptyResources) {
  const ResourceModule& module = TestResourcePacks();
  std::size_t size = 0;
  const unsigned char* data = FindResourceData(module, "aBzIp", "appl", size);
  ASSERT_NE(nullptr, data);
  EXPECT_EQ(ExpectFileBytes(kFixtures / "a.b.zip"),
            std::string(reinterpret_cast<const char*>(data), size));
  EXPECT_FALSE(module.Find("WENQ140TXT", "APPL").empty());

  for (const auto& [name, type] :
       {std::pair{"ABZIP", "BMP"}, {"ABZI", "APPL"}, {"a.b.zip", "APPL"}, {"EMPTYDAT", "APPL"}}) {
    size = 1;
    EXPECT_EQ(nullptr, FindResourceData(module, name, type, size)) << name << " " << type;
    EXPECT_EQ(0u, size) << name;
  }
}

TEST(ResourcePack, ExtractionWritesTheCarriedBytesAndLeavesNoTemporaryFile) {
  TempDir t;
  const fs::path plain = t.path() / "plain";
  fs::create_directory(plain);
  fs::create_directory(t.path() / "slash");
  for (const std::string& folder : {plain.string(), (t.path() / "slash").string() + "/"}) {
    // Names in another letter case than the carried files' still find them.
    EXPECT_TRUE(ExtractFileFromResource("A.B.ZIP", folder, TestResourcePacks())) << folder;
    EXPECT_TRUE(ExtractFileFromResource("wenq~140.txt", folder, TestResourcePacks())) << folder;
    EXPECT_EQ(ExpectFileBytes(kFixtures / "a.b.zip"),
              ExpectFileBytes(fs::path(folder) / "A.B.ZIP"));
    EXPECT_EQ(ExpectFileBytes(kFixtures / "Wenq~140.txt"),
              ExpectFileBytes(fs::path(folder) / "wenq~140.txt"));
    EXPECT_EQ((std::vector<std::string>{"A.B.ZIP", "wenq~140.txt"}), NamesIn(folder)) << folder;
  }
}

TEST(ResourcePack, MissingOrEmptyResourceCreatesNothingAndKeepsTheOldFile) {
  TempDir t;
  WriteFile(t.path() / "empty.dat", "old");
  EXPECT_FALSE(ExtractFileFromResource("None140.zip", t.path(), TestResourcePacks()));
  EXPECT_FALSE(ExtractFileFromResource("empty.dat", t.path(), TestResourcePacks()));
  EXPECT_EQ(std::vector<std::string>{"empty.dat"}, NamesIn(t.path()));
  EXPECT_EQ("old", ExpectFileBytes(t.path() / "empty.dat"));
}

TEST(ResourcePack, ReadOnlyDestinationIsReplacedByAnOrdinaryNewFile) {
  TempDir t;
  const fs::path destination = t.path() / "a.b.zip";
  WriteFile(destination, "old");
  ASSERT_EQ(0, ::chmod(destination.c_str(), 0444));

  EXPECT_TRUE(ExtractFileFromResource("a.b.zip", t.path(), TestResourcePacks()));
  EXPECT_EQ(ExpectFileBytes(kFixtures / "a.b.zip"), ExpectFileBytes(destination));
  const mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat st {};
  ASSERT_EQ(0, ::stat(destination.c_str(), &st));
  EXPECT_EQ(0644 & ~mask, st.st_mode & 07777);
}

TEST(ResourcePack, FailedRenameKeepsTheOldFileAndRemovesTheTemporaryFile) {
  TempDir t;
  const fs::path destination = t.path() / "a.b.zip";
  WriteFile(destination, "old");
  FakeFileSystem fake;
  fake.failRename = [](const fs::path&, const fs::path&) { return EACCES; };

  EXPECT_FALSE(ExtractFileFromResource("a.b.zip", t.path(), TestResourcePacks(), fake));
  EXPECT_EQ(1, fake.renames);
  EXPECT_EQ("old", ExpectFileBytes(destination));
  EXPECT_EQ(std::vector<std::string>{"a.b.zip"}, NamesIn(t.path()));
}

// The reason of each failing step, for the callers that tell the user.
TEST(ResourcePack, TheErrnoVariantTellsWhyTheExtractionFailed) {
  TempDir t;
  FakeFileSystem fake;
  fake.failRename = [](const fs::path&, const fs::path&) { return EACCES; };
  EXPECT_EQ(EACCES, ExtractFileFromResourceErrno("a.b.zip", t.path(), TestResourcePacks(), fake));
  EXPECT_EQ(ENOENT, ExtractFileFromResourceErrno("None140.zip", t.path(), TestResourcePacks()));
  EXPECT_EQ(ENOENT,
            ExtractFileFromResourceErrno("a.b.zip", t.path() / "none", TestResourcePacks()));
  WriteFile(t.path() / "file", "not a folder");
  EXPECT_EQ(ENOTDIR,
            ExtractFileFromResourceErrno("a.b.zip", t.path() / "file", TestResourcePacks()));
  EXPECT_EQ(0, ExtractFileFromResourceErrno("a.b.zip", t.path(), TestResourcePacks()));
  EXPECT_EQ((std::vector<std::string>{"a.b.zip", "file"}), NamesIn(t.path()));
}

TEST(ResourcePack, FailuresAreWrittenToTheDebugLog) {
  TempDir t;
  const fs::path faces = t.path() / "faces";
  fs::create_directory(faces);
  const fs::path logFile = t.path() / "VEK_LOG.TXT";
  SetDebugLogging(true, false);
  SetLogFileName(logFile);

  EXPECT_FALSE(ExtractFileFromResource("None140.zip", faces, TestResourcePacks()));
  EXPECT_FALSE(
      ExtractFileFromResource("a.b.zip", t.path() / "no-such-folder", TestResourcePacks()));
  EXPECT_FALSE(fn_ExtractFileFromTemp(faces / "gone.tmp", faces / "x.zip"));
  FakeFileSystem fake;
  fake.failRename = [](const fs::path&, const fs::path&) { return EACCES; };
  EXPECT_FALSE(ExtractFileFromResource("a.b.zip", faces, TestResourcePacks(), fake));

  SetDebugLogging(false, false);
  SetLogFileName({});
  const std::string log = ExpectFileBytes(logFile);
  const std::string step = "Error in ClockFace, in ExtractResourceToFile\r\n";
  const std::string copy =
      "Error in ClockFace, in fn_ExtractFileFromTemp(DestFile)\r\nSource File does not Exist, "
      "SrcF: ";
  const std::string gone = (faces / "gone.tmp").string();
  const std::string x = (faces / "x.zip").string();
  const std::string destination = (faces / "a.b.zip").string();
  for (const std::string& text : {
           step + ">>>ResData=nil\r\nRezName : None140zip\r\nRezType : APPL\r\nFileName: " +
               (faces / "None140.zip").string() + "\r\n",
           step + ">>>FileHandle=INVALID_HANDLE_VALUE\r\nRezName : abzip\r\nRezType : APPL\r\n" +
               "FileName: " + (t.path() / "no-such-folder" / "a.b.zip").string() + "\r\n",
           copy + gone + "\r\nDestFile: " + x + "\r\nSrcF: " + gone + "\r\nDstF: " + x + "\r\n",
           copy + (faces / ".a.b.zip.").string(),
           "\r\nDstF: " + destination + "\r\nDOS error code 5: File access denied\r\n",
       }) {
    EXPECT_NE(std::string::npos, log.find(text)) << text << "\n--- log:\n" << log;
  }
}

}  // namespace
}  // namespace vek
