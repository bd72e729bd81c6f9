#include "sounds/azhan_description.h"

#include "foundation/cp1256.h"
#include "program/settings_converters.h"

namespace vek {

namespace {

bool IsArabic(Language lang) {
  return lang == Language::Arabic;
}

std::string Text(Language lang, const char* english, const char* arabic) {
  return ByLanguage(lang, english, arabic);
}

}  // namespace

AzhanDescriptionQuestion AskAzhanDescription(const std::string& current, Language lang) {
  return {Text(lang, "Change description from: ", "تغيير الوصف من: ") + current,
          IsArabic(lang) ? "يظهره البرنامج كـ: أذان " + current
                         : "Program shows it as: " + current + " Azhan"};
}

AzhanDescriptionCheck CheckAzhanDescription(const std::string& typed, const std::string& current,
                                            Language lang) {
  if (typed == current)
    return {};
  if (!FitsCp1256(typed))
    return {false, Text(lang, "This description has characters that the program cannot store:\r\n",
                        "يحتوي هذا الوصف على أحرف لا يستطيع البرنامج حفظها:\r\n") +
                       typed};
  return {true, {}};
}

std::string AzhanDescriptionNotice(int index, const AzhanDescriptionLists& descriptions,
                                   Language lang, const std::filesystem::path& programFolder) {
  const auto& shown = IsArabic(lang) ? descriptions.Arabic : descriptions.English;
  const auto& other = IsArabic(lang) ? descriptions.English : descriptions.Arabic;
  const std::string file = (programFolder / "SOUNDS" / std::string(AzhanFiles[index])).string();
  return Text(lang,
              "This action is especially suitable if you want to relace one of our "
              "Azhan Files by your own file.",
              "هذا الإجراء مناسب خاصة إذا أردت استبدال أحد ملفات الأذان بملف من عندك.") +
         "\r\n" +
         Text(lang, "This description will show in the program as such:",
              "سيظهر هذا الوصف في البرنامج هكذا:") +
         "\r\n" + (IsArabic(lang) ? "أذان " + shown[index] : shown[index] + " Azhan") + "\r\n" +
         Text(lang, "and is associated with the file: ", "وهو مرتبط بالملف: ") + "\r\n" + file +
         "\r\n" +
         Text(lang,
              "You can now replace this file by your own file, and give it the same "
              "name on the directory:",
              "يمكنك الآن استبدال هذا الملف بملفك وإعطاؤه الاسم نفسه في المجلد:") +
         "\r\n" + (programFolder / "SOUNDS").string() + "\r\n" +
         Text(lang,
              "It is preferable to terminate this program first, to prevent any "
              "conflicts",
              "يفضّل إنهاء البرنامج أولاً لتجنب أي تعارض") +
         "\r\n" +
         Text(lang,
              "Do not forget to change the description also in Arabic, if you have "
              "not already done so.",
              "لا تنس تغيير الوصف بالإنجليزية أيضاً إن لم تكن قد فعلت ذلك.") +
         "\r\n" + Text(lang, "That description is currently:", "ذلك الوصف حالياً:") + "\r\n" +
         other[index];
}

}  // namespace vek
