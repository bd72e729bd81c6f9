#include "foundation/command_line.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vek {
namespace {

using Params = std::vector<std::string>;

CommandLineSwitches Parse(const Params& params) {
  CommandLineSwitches flags;
  ParseCommandLineSwitches(params, flags);
  return flags;
}

TEST(CommandLineSwitches, StripsBlanksSlashesSemicolonsAndBackslashesAtBothEnds) {
  for (const char* word : {"/forcearabic", "FORCEARABIC; ", "\\ForceArabic/", ";;/FORCEARABIC"}) {
    EXPECT_TRUE(Parse({word}).ForceArabic) << word;
  }
}

TEST(CommandLineSwitches, RecognisesOnlyWholeKeywords) {
  const CommandLineSwitches none{};
  for (const char* word : {"FORCEARABIC=1", "FORCE", "-FORCEARABIC", "", " /;\\", "QETESTINGVEK"}) {
    const CommandLineSwitches flags = Parse({word});
    EXPECT_FALSE(flags.ForceArabic || flags.TesterMode) << word;
    EXPECT_EQ(0, std::memcmp(&flags, &none, sizeof flags)) << word;
  }
}

TEST(CommandLineSwitches, SetsEachKeywordsFlag) {
  const CommandLineSwitches f =
      Parse({"DEBUGVEKLOC", "debugvek", "95", "STOPCLOCK", "SKIPDOWNLOAD", "CONTINUELIVEUPDATE",
             "MOVEGOVEKFILE", "IGNOREBMP", "INDEXING"});
  EXPECT_TRUE(f.DebugVekLoc && f.DebugVek && f.Windows95 && f.StopClock && f.SkipDownload &&
              f.ContinueLiveUpdate && f.MoveGoVekFile && f.IgnoreBmp && f.Indexing);
  EXPECT_FALSE(f.ForceArabic || f.Upload || f.ReadWrite);
  EXPECT_TRUE(Parse({"upload"}).Upload);
  EXPECT_TRUE(Parse({"uploading"}).Upload);
}

TEST(CommandLineSwitches, ParsesOnlyTheFirstTwentyParametersButHasSwitchSeesAll) {
  Params params(20, "NOTHING");
  params.push_back("STOPCLOCK");
  EXPECT_FALSE(Parse(params).StopClock);
  EXPECT_TRUE(HasSwitch(params, "stopclock"));
}

TEST(CommandLineSwitches, HasSwitchRemovesOneLeadingSlashOnly) {
  EXPECT_TRUE(Parse({"//DEBUGVEK"}).DebugVek);
  EXPECT_FALSE(HasSwitch({"//DEBUGVEK"}, "DEBUGVEK"));
  EXPECT_TRUE(HasSwitch({"/DebugVek"}, "DEBUGVEK"));
  EXPECT_TRUE(HasSwitch({"\\qetestingvek"}, "QETestingVEK"));
  EXPECT_FALSE(HasSwitch({"DEBUGVEK;"}, "DEBUGVEK"));
}

// The run's value: the parsed keywords, and the words the start-up asks for one by one.
TEST(CommandLineSwitches, TheRunsSwitchesAddWhatHasSwitchFinds) {
  const CommandLineSwitches parsedOnly = ReadCommandLineSwitches({"DEBUGVEK;", "STOPCLOCK"});
  EXPECT_TRUE(parsedOnly.DebugVek && parsedOnly.StopClock);
  EXPECT_FALSE(parsedOnly.TesterMode);
  Params beyond(20, "NOTHING");
  for (const char* word : {"/DebugVekLoc", "IGNOREBMP", "QETESTINGVEK", "STOPCLOCK"})
    beyond.push_back(word);
  const CommandLineSwitches found = ReadCommandLineSwitches(beyond);
  EXPECT_TRUE(found.DebugVekLoc && found.IgnoreBmp && found.TesterMode);
  EXPECT_FALSE(found.StopClock || found.DebugVek);
}

TEST(CommandLineSwitches, ALaterParseNeverClearsAFlag) {
  CommandLineSwitches flags;
  ParseCommandLineSwitches({"STOPCLOCK"}, flags);
  ParseCommandLineSwitches({"STOPCLOCK"}, flags);
  ParseCommandLineSwitches({"UPLOAD"}, flags);
  EXPECT_TRUE(flags.StopClock);
  EXPECT_TRUE(flags.Upload);
}

}  // namespace
}  // namespace vek
