// The system-information report of the support e-mail: its lines from fixed figures, the memory
// figures of /proc/meminfo, and the question before it.
#include "foundation/system_report.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

using testing::FakeUi;
using testing::TempDir;

SystemFigures FixedFigures() {
  SystemFigures f;
  f.Day = 5;
  f.Month = 3;
  f.Year = 2027;
  f.ProgramPath = "/opt/vek/vek";
  f.Family = SystemFamily::Other;
  f.MemoryLoad = 75;
  f.TotalPhys = 8192000000;
  f.AvailPhys = 2048000000;
  f.FreeDisk = 2147483648;
  f.TotalPageFile = 9216000000;
  f.AvailPageFile = 2304000000;
  f.TotalVirtual = 140737488355328;
  f.AvailVirtual = 140737000000000;
  return f;
}

TEST(SystemReport, OneValuePerLineWithThousandsSeparators) {
  EXPECT_EQ(
      "D/M/Y: 5/3/2027\r\n"
      "/opt/vek/vek\r\n"
      "V:6.22\r\n"
      "Not Win32_NT nor Win32_Windows\r\n"
      "MemoryLoad= 75%\r\n"
      "TotalPhys= 8,192,000,000\r\n"
      "AvailPhys= 2,048,000,000\r\n"
      "Free Disk space= 2,147,483,648\r\n"
      "TotalPageFile= 9,216,000,000\r\n"
      "AvailPageFile= 2,304,000,000\r\n"
      "TotalVirtual= 140,737,488,355,328\r\n"
      "AvailVirtual= 140,737,000,000,000\r\n",
      SystemReportText(FixedFigures(), "6.22"));
  SystemFigures nt = FixedFigures();
  nt.Family = SystemFamily::WindowsNT;
  EXPECT_NE(std::string::npos, SystemReportText(nt, "6.22").find("\r\nWIN32_NT\r\n"));
}

TEST(SystemReport, MemoryFiguresFromMeminfo) {
  std::ifstream in(std::string(VEK_SOURCE_DIR) + "/tests/foundation/fixtures/meminfo.txt");
  std::stringstream text;
  text << in.rdbuf();
  SystemFigures f;
  ReadMemInfo(text.str(), f);
  EXPECT_EQ(8000000ull * 1024, f.TotalPhys);
  EXPECT_EQ(2000000ull * 1024, f.AvailPhys);  // MemAvailable, not MemFree
  EXPECT_EQ(9000000ull * 1024, f.TotalPageFile);
  EXPECT_EQ(2250000ull * 1024, f.AvailPageFile);
  EXPECT_EQ(75u, f.MemoryLoad);

  SystemFigures old;  // a kernel without MemAvailable
  ReadMemInfo("MemTotal: 1000 kB\nMemFree: 250 kB\n", old);
  EXPECT_EQ(250u * 1024, old.AvailPhys);
  EXPECT_EQ(75u, old.MemoryLoad);
  SystemFigures empty;
  ReadMemInfo("", empty);
  EXPECT_EQ(0u, empty.MemoryLoad);
}

TEST(SystemReport, FiguresOfThisSystem) {
  TempDir dir;
  const SystemFigures f = CollectSystemFigures(dir.path(), 2027, 3, 5);
  EXPECT_FALSE(f.ProgramPath.empty());
  EXPECT_GT(f.TotalPhys, 0u);
  EXPECT_LE(f.AvailPhys, f.TotalPhys);
  EXPECT_GT(f.FreeDisk, 0u);
  EXPECT_GT(f.TotalVirtual, f.AvailVirtual);
}

class SystemReportQuestion : public ::testing::Test {
 protected:
  SystemReportQuestion() { std::ofstream(plugin()) << "plug-in"; }
  std::filesystem::path plugin() const { return dir.path() / "PELSUNK.EXE"; }

  TempDir dir;
  FakeUi ui;
  std::string report = "stale";
  bool declined = true;
  int figuresAsked = 0;
  std::function<SystemFigures()> figures = [this] {
    ++figuresAsked;
    return FixedFigures();
  };
};

TEST_F(SystemReportQuestion, MissingPlugInIsToldOnceAndAsksNothing) {
  BuildSystemReport(true, false, dir.path() / "MISSING.EXE", report, declined, ui, figures);
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(
      0u, ui.messages[0].find(
              std::string("Error: File Missing\n").append((dir.path() / "MISSING.EXE").string())));
  EXPECT_TRUE(ui.dialogs.empty());
  EXPECT_TRUE(report.empty());
  EXPECT_FALSE(declined);
  EXPECT_EQ(0, figuresAsked);

  BuildSystemReport(true, true, dir.path() / "MISSING.EXE", report, declined, ui, figures);
  EXPECT_EQ(0u, ui.messages.back().find("خطأ، ملف مفقود\n"));
}

TEST_F(SystemReportQuestion, NoOrTheCountdownDeclines) {
  // The fake answers 0 for No, and 0 as well when its queue is empty, as a countdown does.
  for (bool answerNo : {true, false}) {
    if (answerNo)
      ui.answers.push_back(0);
    BuildSystemReport(true, true, plugin(), report, declined, ui, figures);
    EXPECT_TRUE(declined);
    EXPECT_TRUE(report.empty());
  }
  ASSERT_EQ(2u, ui.dialogs.size());
  EXPECT_EQ(kArabicCaptions, ui.dialogs[0].option);
  EXPECT_EQ(0, figuresAsked);
}

TEST_F(SystemReportQuestion, YesBuildsTheReport) {
  ui.answers.push_back(1);
  BuildSystemReport(true, false, plugin(), report, declined, ui, figures);
  EXPECT_FALSE(declined);
  EXPECT_EQ(SystemReportText(FixedFigures(), "6.22"), report);
  ASSERT_EQ(1u, ui.dialogs.size());
  EXPECT_EQ(kEnglishCaptions, ui.dialogs[0].option);
  EXPECT_EQ(0u, ui.dialogs[0].text.find("\nAn E-mail will now be prepared,"));
  EXPECT_TRUE(ui.dialogs[0].text.ends_with("OK?"));

  ui.answers.push_back(1);  // a sibling program reports its own version words
  BuildSystemReport(false, false, plugin(), report, declined, ui, figures);
  EXPECT_NE(std::string::npos, report.find("\r\nV:5.20\r\n"));
}

}  // namespace
}  // namespace vek
