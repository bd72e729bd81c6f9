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
    EXPECT_TRUE(Parse({word}).forceArabic) << word;
  }
}

TEST(CommandLineSwitches, RecognisesOnlyWholeKeywords) {
  const CommandLineSwitches none{};
  for (const char* word : {"FORCEARABIC=1", "FORCE", "-FORCEARABIC", "", " /;\\", "QETESTINGVEK"}) {
    const CommandLineSwitches flags = Parse({word});
    EXPECT_FALSE(flags.forceArabic || flags.testerMode) << word;
    EXPECT_EQ(0, std::memcmp(&flags, &none, sizeof flags)) << word;
  }
}

TEST(CommandLineSwitches, SetsEachKeywordsFlag) {
  const CommandLineSwitches f =
      Parse({"DEBUGVEKLOC", "debugvek", "95", "STOPCLOCK", "SKIPDOWNLOAD", "CONTINUELIVEUPDATE",
             "MOVEGOVEKFILE", "IGNOREBMP", "INDEXING"});
  EXPECT_TRUE(f.debugVekLoc && f.debugVek && f.windows95 && f.stopClock && f.skipDownload &&
              f.continueLiveUpdate && f.moveGoVekFile && f.ignoreBmp && f.indexing);
  EXPECT_FALSE(f.forceArabic || f.upload || f.readWrite);
  EXPECT_TRUE(Parse({"upload"}).upload);
  EXPECT_TRUE(Parse({"uploading"}).upload);
}

TEST(CommandLineSwitches, ParsesOnlyTheFirstTwentyParametersButHasSwitchSeesAll) {
  Params params(20, "NOTHING");
  params.push_back("STOPCLOCK");
  EXPECT_FALSE(Parse(params).stopClock);
  EXPECT_TRUE(HasSwitch(params, "stopclock"));
}

TEST(CommandLineSwitches, HasSwitchRemovesOneLeadingSlashOnly) {
  EXPECT_TRUE(Parse({"//DEBUGVEK"}).debugVek);
  EXPECT_FALSE(HasSwitch({"//DEBUGVEK"}, "DEBUGVEK"));
  EXPECT_TRUE(HasSwitch({"/DebugVek"}, "DEBUGVEK"));
  EXPECT_TRUE(HasSwitch({"\\qetestingvek"}, "QETestingVEK"));
  EXPECT_FALSE(HasSwitch({"DEBUGVEK;"}, "DEBUGVEK"));
}

// The run's value: the parsed keywords, and the words the start-up asks for one by one.
TEST(CommandLineSwitches, TheRunsSwitchesAddWhatHasSwitchFinds) {
  const CommandLineSwitches parsedOnly = ReadCommandLineSwitches({"DEBUGVEK;", "STOPCLOCK"});
  EXPECT_TRUE(parsedOnly.debugVek && parsedOnly.stopClock);
  EXPECT_FALSE(parsedOnly.testerMode);
  Params beyond(20, "NOTHING");
  for (const char* word : {"/DebugVekLoc", "IGNOREBMP", "QETESTINGVEK", "STOPCLOCK"})
    beyond.push_back(word);
  const CommandLineSwitches found = ReadCommandLineSwitches(beyond);
  EXPECT_TRUE(found.debugVekLoc && found.ignoreBmp && found.testerMode);
  EXPECT_FALSE(found.stopClock || found.debugVek);
}

TEST(CommandLineSwitches, ALaterParseNeverClearsAFlag) {
  CommandLineSwitches flags;
  ParseCommandLineSwitches({"STOPCLOCK"}, flags);
  ParseCommandLineSwitches({"STOPCLOCK"}, flags);
  ParseCommandLineSwitches({"UPLOAD"}, flags);
  EXPECT_TRUE(flags.stopClock);
  EXPECT_TRUE(flags.upload);
}

}  // namespace
}  // namespace vek
