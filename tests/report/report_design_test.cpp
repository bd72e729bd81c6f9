#include "report/report_design.h"

#include <gtest/gtest.h>

#include "foundation/cp1256.h"

namespace vek {
namespace {

TEST(ReportDesigns, AFreshFileGivesTheBuiltInsInPortrait) {
  IniFile ini;
  ReportDesigns designs = DefaultDesigns();
  for (TPrintOptions& d : designs)
    d.POPortraitOrientation = false;
  LoadDesigns(ini, designs);
  const ReportDesigns builtIns = DefaultDesigns();
  for (int i = 0; i < kDesignCount; ++i) {
    EXPECT_TRUE(designs[i].POPortraitOrientation) << i;
    EXPECT_EQ(builtIns[i], designs[i]) << i;
  }
  EXPECT_EQ("Year-2 Pages", designs[0].Name);
  EXPECT_EQ(6, designs[4].POBNOMonths);
  EXPECT_TRUE(designs[7].PORight);
  EXPECT_EQ(AlignRight, designs[7].AlignmentField[3]);
  EXPECT_EQ(" Page Footer", designs[3].POFOtherInfo);
  EXPECT_EQ("Arabic Transparent", designs[6].POBFont.Name);
  EXPECT_EQ("Courier New", designs[6].POHFont.Name);
  EXPECT_TRUE(designs[6].POHFont.Bold);
}

TEST(ReportDesigns, OnlyFalseReadsFalseAndBadTextsGiveTheirDefaults) {
  IniFile ini;
  const std::string section = "PrintOptionsYear-2 Pages";
  ini.WriteString(section, "PODayName", "no");
  ini.WriteString(section, "POHijri", "0");
  ini.WriteString(section, "POGregorian", "false");
  ini.WriteString(section, "POPeaks", "f");
  ini.WriteString(section, "POImsak", "");
  ini.WriteString(section, "POPortraitOrientation", "FALSE");
  ini.WriteString(section, "AlignmentField2", " center ");
  ini.WriteString(section, "AlignmentField3", "middle");
  ini.WriteString(section, "PODateFormat", "CompleteDate");
  ReportDesigns designs = DefaultDesigns();
  LoadDesigns(ini, designs);
  const TPrintOptions& d = designs[0];
  EXPECT_TRUE(d.PODayName);
  EXPECT_TRUE(d.POHijri);
  EXPECT_FALSE(d.POGregorian);
  EXPECT_FALSE(d.POPeaks);
  EXPECT_TRUE(d.POImsak);
  EXPECT_FALSE(d.POPortraitOrientation);
  EXPECT_EQ(AlignCenter, d.AlignmentField[2]);
  EXPECT_EQ(AlignLeft, d.AlignmentField[3]);
  EXPECT_EQ(CompleteDate, d.PODateFormat);
}

TEST(ReportDesigns, MonthsPerPageThatNoPageHoldsTakeTheBuiltInValue) {
  for (const char* bad : {"0", "-3", "5", "12", "abc", "4294967298"}) {
    IniFile ini;
    ini.WriteString("PrintOptionsYear-2 Pages", "POBNOMonths", bad);
    ini.WriteString("PrintOptionsSummary Only", "POBNOMonths", "4");
    ReportDesigns designs = DefaultDesigns();
    designs[0].POBNOMonths = 3;
    LoadDesigns(ini, designs);
    EXPECT_EQ(6, designs[0].POBNOMonths) << bad;
    EXPECT_EQ(4, designs[2].POBNOMonths);
    EXPECT_EQ(2, ReportPageCount(ReportKind::Year, designs[0]));
  }
}

TEST(ReportDesigns, PageCounts) {
  TPrintOptions d = DefaultDesigns()[0];
  const struct {
    int months, pages;
  } cases[] = {{6, 2}, {3, 4}, {1, 12}, {2, 6}, {4, 3}, {5, 1}, {0, 1}, {-1, 1}};
  for (const auto& c : cases) {
    d.POBNOMonths = c.months;
    EXPECT_EQ(c.pages, ReportPageCount(ReportKind::Year, d)) << c.months;
    EXPECT_EQ(1, ReportPageCount(ReportKind::Month, d));
  }
  d.POBNOMonths = 1;
  d.POPeaksOnly = true;
  EXPECT_EQ(1, ReportPageCount(ReportKind::Year, d));
}

TEST(ReportDesigns, SavingWritesEverySectionAndOnlyTheLanguagesCurrentDesign) {
  IniFile ini;
  ini.WriteInteger(kPrintOptionsSection, "CurrentArabicDesign", 5);
  ReportDesigns designs = DefaultDesigns();
  designs[1].POImsak = true;
  designs[1].PODateFormat = DayAndMonth;
  designs[1].AlignmentField[9] = AlignCenter;
  designs[1].POHOtherInfo = "Times of 2026";
  designs[1].POBNOMonths = 4;
  designs[5].POPortraitOrientation = false;
  SaveDesigns(ini, designs, 1, Language::English);

  EXPECT_EQ(1, ini.ReadInteger(kPrintOptionsSection, "CurrentEnglishDesign", -1));
  EXPECT_EQ(5, ini.ReadInteger(kPrintOptionsSection, "CurrentArabicDesign", -1));
  // Design 5's section is named after it exactly, without a blank added.
  EXPECT_TRUE(ini.SectionExists("PrintOptionsسنة علىأربع صفحات"));
  EXPECT_EQ("False", ini.ReadString("PrintOptionsسنة علىأربع صفحات", "POPortraitOrientation", ""));
  EXPECT_NE(std::string::npos,
            ini.Image().find(Utf8ToCp1256Lossy("[PrintOptionsسنة علىأربع صفحات]")));
  const std::vector<std::string> keys = ini.ReadSection("PrintOptionsYear-12 Pages");
  ASSERT_EQ(41u, keys.size());
  EXPECT_EQ("PODayName", keys.front());
  EXPECT_EQ("PODateFormat", keys[9]);
  EXPECT_EQ("AlignmentField9", keys.back());

  ReportDesigns read = DefaultDesigns();
  LoadDesigns(ini, read);
  // Values are read trimmed, as profile files are: the footer's leading blank is lost.
  for (TPrintOptions& d : designs)
    if (d.POFOtherInfo == " Page Footer")
      d.POFOtherInfo = "Page Footer";
  EXPECT_EQ(designs, read);

  SaveDesigns(ini, designs, 6, Language::Arabic);
  EXPECT_EQ(6, ini.ReadInteger(kPrintOptionsSection, "CurrentArabicDesign", -1));
  EXPECT_EQ(1, ini.ReadInteger(kPrintOptionsSection, "CurrentEnglishDesign", -1));
}

TEST(ReportDesigns, TheStoredCurrentDesignMustFitTheLanguageAndTheKind) {
  const ReportDesigns designs = DefaultDesigns();
  const struct {
    const char* stored;
    Language lang;
    ReportKind kind;
    int expected;
  } cases[] = {
      {nullptr, Language::English, ReportKind::Year, 0},
      {nullptr, Language::English, ReportKind::Month, 3},
      {nullptr, Language::Arabic, ReportKind::Year, 4},
      {nullptr, Language::Arabic, ReportKind::Month, 7},
      {"2", Language::English, ReportKind::Year, 2},
      {"3", Language::English, ReportKind::Year, 0},  // a month design
      {"5", Language::English, ReportKind::Year, 0},  // an Arabic design
      {"9", Language::English, ReportKind::Year, 0},  // no design
      {"-1", Language::English, ReportKind::Month, 3},
      {"6", Language::Arabic, ReportKind::Year, 6},
  };
  for (const auto& c : cases) {
    IniFile ini;
    if (c.stored)
      ini.WriteString(kPrintOptionsSection,
                      c.lang == Language::Arabic ? "CurrentArabicDesign" : "CurrentEnglishDesign",
                      c.stored);
    EXPECT_EQ(c.expected, ReadCurrentDesign(ini, designs, c.lang, c.kind))
        << (c.stored ? c.stored : "none");
  }
}

TEST(ReportDesigns, DefaultsRefillAllButTheOrientation) {
  TPrintOptions d;
  d.POPortraitOrientation = true;
  d.POImsak = true;
  d.Name = "changed";
  FillDefaultDesign(2, d);
  EXPECT_EQ("Summary Only", d.Name);
  EXPECT_FALSE(d.POImsak);
  EXPECT_TRUE(d.POPeaksOnly);
  EXPECT_TRUE(d.POPortraitOrientation);
  FillDefaultDesign(8, d);
  EXPECT_EQ("Summary Only", d.Name);
}

}  // namespace
}  // namespace vek
