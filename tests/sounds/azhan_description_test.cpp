#include "sounds/azhan_description.h"

#include <gtest/gtest.h>

#include "program/settings_converters.h"

namespace vek {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(AzhanDescription, ATypedTextIsStoredOnlyWhenItChangedAndFitsTheSettingsFile) {
  struct Case {
    const char* typed;
    bool store;
    const char* refusal;  // a part of the refusal; null for none
    Language lang;
  };
  const Case cases[] = {
      {"Aleppo", false, nullptr, Language::English},  // unchanged: nothing to do, nothing said
      {"Halab", true, nullptr, Language::English},
      {"حلب", true, nullptr, Language::Arabic},  // code page 1256 holds Arabic
      {"東京", false, "cannot store:\r\n東京", Language::English},
      {"東京", false, "لا يستطيع البرنامج حفظها:\r\n東京", Language::Arabic},
      {"Halab 東", false, "cannot store", Language::English},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const AzhanDescriptionCheck check = CheckAzhanDescription(c.typed, "Aleppo", c.lang);
    EXPECT_EQ(c.store, check.store);
    if (c.refusal)
      EXPECT_TRUE(Has(check.refusal, c.refusal)) << check.refusal;
    else
      EXPECT_EQ("", check.refusal);
  }
}

TEST(AzhanDescription, TheQuestionNamesTheCurrentDescriptionInTheUsersLanguage) {
  const AzhanDescriptionQuestion english = AskAzhanDescription("Aleppo", Language::English);
  EXPECT_EQ("Change description from: Aleppo", english.title);
  EXPECT_EQ("Program shows it as: Aleppo Azhan", english.label);
  const AzhanDescriptionQuestion arabic = AskAzhanDescription("حلب", Language::Arabic);
  EXPECT_EQ("تغيير الوصف من: حلب", arabic.title);
  EXPECT_EQ("يظهره البرنامج كـ: أذان حلب", arabic.label);
}

TEST(AzhanDescription, TheNoticeNamesTheRecordingAndTheOtherLanguagesDescription) {
  AzhanDescriptionLists descriptions = DefaultAzhanDescriptions();
  descriptions.English[1] = "Halab";
  descriptions.Arabic[1] = "حلب";
  const std::filesystem::path folder = "/opt/vek";
  const std::string file = (folder / "SOUNDS" / std::string(AzhanFiles[1])).string();

  const std::string english = AzhanDescriptionNotice(1, descriptions, Language::English, folder);
  EXPECT_TRUE(Has(english, "as such:\r\nHalab Azhan\r\n")) << english;
  EXPECT_TRUE(Has(english, "the file: \r\n" + file + "\r\n")) << english;
  EXPECT_TRUE(Has(english, "directory:\r\n" + (folder / "SOUNDS").string() + "\r\n")) << english;
  EXPECT_TRUE(english.ends_with("currently:\r\nحلب")) << english;

  const std::string arabic = AzhanDescriptionNotice(1, descriptions, Language::Arabic, folder);
  EXPECT_TRUE(Has(arabic, "هكذا:\r\nأذان حلب\r\n")) << arabic;
  EXPECT_TRUE(Has(arabic, file)) << arabic;
  EXPECT_TRUE(arabic.ends_with("حالياً:\r\nHalab")) << arabic;
}

}  // namespace
}  // namespace vek
