// The month and day names dialog's decisions: stepping keeps typed names, names are trimmed and
// refused when empty, too long or not storable, and only the user's language changes.
#include "program/dialogs/month_names_model.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

TEST(MonthNamesModel, StepKeepsTheTypedNameAtTheOldPosition) {
  NameLists names = DefaultNameLists();
  MonthNamesModel model(names, Language::English);
  EXPECT_EQ(names.EHMonths[0], model.Name(kHijriRow));
  EXPECT_EQ(NameCheck::Ok, model.Step(kHijriRow, 3, "  Muharram al-Haram "));
  EXPECT_EQ(3, model.Index(kHijriRow));
  EXPECT_EQ(names.EHMonths[3], model.Name(kHijriRow));
  EXPECT_EQ("Muharram al-Haram", model.NameAt(kHijriRow, 0));
  // A step to the same position or outside the list keeps everything.
  EXPECT_EQ(NameCheck::Ok, model.Step(kDayRow, 7, "x"));
  EXPECT_EQ(0, model.Index(kDayRow));
  EXPECT_EQ(names.EDays[0], model.Name(kDayRow));
}

TEST(MonthNamesModel, RefusedNamesStayWhereTheyAreTyped) {
  const NameLists names = DefaultNameLists();
  MonthNamesModel model(names, Language::English);
  EXPECT_EQ(NameCheck::Empty, model.Step(kGregorianRow, 1, "   "));
  EXPECT_EQ(NameCheck::NotStorable, model.Step(kGregorianRow, 1, "東京"));
  EXPECT_EQ(0, model.Index(kGregorianRow));
  EXPECT_EQ(names.EMonths[0], model.Name(kGregorianRow));
  EXPECT_EQ(NameCheck::Ok, model.Step(kGregorianRow, 1, "كانون"));  // Arabic fits code page 1256

  int refused = -1;
  EXPECT_EQ(NameCheck::NotStorable, model.StoreEdits({"a", "b", "日"}, refused));
  EXPECT_EQ(kDayRow, refused);
  NameLists out = names;
  model.CopyTo(out);
  EXPECT_EQ(names.EHMonths[0], out.EHMonths[0]);  // nothing of the refused OK was stored
  EXPECT_NE(std::string::npos,
            NameRefusalText(NameCheck::NotStorable, "日", Language::English).find("cannot store"));
  EXPECT_FALSE(NameRefusalText(NameCheck::Empty, "", Language::Arabic).empty());
}

TEST(MonthNamesModel, ANameLongerThanTheDatesHaveRoomForIsRefusedWithTheLimit) {
  const NameLists names = DefaultNameLists();
  MonthNamesModel model(names, Language::Arabic);
  std::string arabic20;
  for (int i = 0; i < 20; ++i)
    arabic20 += "ب";  // two bytes each: the limit counts characters
  EXPECT_EQ(NameCheck::Ok, model.Step(kHijriRow, 1, "  " + arabic20 + "  "));
  EXPECT_EQ(NameCheck::TooLong, model.Step(kHijriRow, 2, arabic20 + "ب"));
  EXPECT_EQ(NameCheck::TooLong, model.Step(kDayRow, 1, std::string(204, 'M')));
  EXPECT_EQ(NameCheck::Ok, model.Step(kDayRow, 1, std::string(20, 'M')));
  int refused = -1;
  EXPECT_EQ(NameCheck::TooLong, model.StoreEdits({"a", std::string(21, 'x'), "c"}, refused));
  EXPECT_EQ(kGregorianRow, refused);
  for (Language lang : {Language::English, Language::Arabic})
    EXPECT_NE(std::string::npos, NameRefusalText(NameCheck::TooLong, "", lang).find("20"));
}

TEST(MonthNamesModel, OkStoresTheEditsOfTheUsersLanguageOnly) {
  const NameLists names = DefaultNameLists();
  MonthNamesModel model(names, Language::Arabic);
  ASSERT_EQ(NameCheck::Ok, model.Step(kHijriRow, 8, " محرم الحرام "));
  int refused = -1;
  ASSERT_EQ(NameCheck::Ok, model.StoreEdits({"رمضان المبارك", "  كانون الثاني", "الأحد"}, refused));
  NameLists out = names;
  model.CopyTo(out);
  EXPECT_EQ("محرم الحرام", out.AHMonths[0]);
  EXPECT_EQ("رمضان المبارك", out.AHMonths[8]);
  EXPECT_EQ("كانون الثاني", out.AMonths[0]);
  EXPECT_EQ("الأحد", out.ADays[0]);
  EXPECT_EQ(names.EHMonths, out.EHMonths);
  EXPECT_EQ(names.EMonths, out.EMonths);
  EXPECT_EQ(names.EDays, out.EDays);
}

}  // namespace
}  // namespace vek
