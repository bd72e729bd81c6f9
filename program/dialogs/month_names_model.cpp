#include "program/dialogs/month_names_model.h"

#include <algorithm>

#include "foundation/conversions.h"
#include "foundation/cp1256.h"
#include "foundation/text.h"

namespace vek {

namespace {

template <std::size_t N>
std::vector<std::string> ToVector(const std::array<std::string, N>& list) {
  return std::vector<std::string>(list.begin(), list.end());
}

template <std::size_t N>
void CopyInto(const std::vector<std::string>& from, std::array<std::string, N>& to) {
  std::copy_n(from.begin(), N, to.begin());
}

}  // namespace

NameCheck CheckName(const std::string& typed) {
  const std::string_view name = Trim(typed);
  if (name.empty())
    return NameCheck::Empty;
  if (TruncateCodePoints(name, kMaxMonthOrDayNameChars).size() < name.size())
    return NameCheck::TooLong;
  if (!FitsCp1256(name))
    return NameCheck::NotStorable;
  return NameCheck::Ok;
}

std::string NameRefusalText(NameCheck check, const std::string& typed, Language lang) {
  if (check == NameCheck::Empty)
    return ByLanguage(lang, "Please type a name.", "يرجى كتابة اسم.");
  if (check == NameCheck::TooLong) {
    const std::string limit = std::to_string(kMaxMonthOrDayNameChars);
    return lang == Language::Arabic
               ? "الاسم طويل: يتسع التاريخ في النافذة الرئيسية وفي الصفحات المطبوعة لاسم من " +
                     limit + " حرفاً على الأكثر."
               : "This name is too long: the dates of the main window and of the printed pages "
                 "have room for at most " +
                     limit + " characters.";
  }
  if (check == NameCheck::NotStorable)
    return std::string(ByLanguage(lang,
                                  "This name has characters that the program cannot store:\r\n",
                                  "يحتوي هذا الاسم على أحرف لا يستطيع البرنامج حفظها:\r\n")) +
           typed;
  return {};
}

MonthNamesModel::MonthNamesModel(const NameLists& names, Language lang) : lang_(lang) {
  const bool arabic = lang == Language::Arabic;
  lists_[kHijriRow] = ToVector(arabic ? names.AHMonths : names.EHMonths);
  lists_[kGregorianRow] = ToVector(arabic ? names.AMonths : names.EMonths);
  lists_[kDayRow] = ToVector(arabic ? names.ADays : names.EDays);
}

NameCheck MonthNamesModel::Step(int row, int position, const std::string& typed) {
  if (position == index_[row] || position < 0 || position >= Count(row))
    return NameCheck::Ok;
  const NameCheck check = CheckName(typed);
  if (check != NameCheck::Ok)
    return check;
  lists_[row][index_[row]] = std::string(Trim(typed));
  index_[row] = position;
  return NameCheck::Ok;
}

NameCheck MonthNamesModel::StoreEdits(const std::array<std::string, kMonthNamesRows>& typed,
                                      int& refusedRow) {
  refusedRow = -1;
  for (int row = 0; row < kMonthNamesRows; ++row) {
    if (const NameCheck check = CheckName(typed[row]); check != NameCheck::Ok) {
      refusedRow = row;
      return check;
    }
  }
  for (int row = 0; row < kMonthNamesRows; ++row)
    lists_[row][index_[row]] = std::string(Trim(typed[row]));
  return NameCheck::Ok;
}

void MonthNamesModel::CopyTo(NameLists& names) const {
  const bool arabic = lang_ == Language::Arabic;
  CopyInto(lists_[kHijriRow], arabic ? names.AHMonths : names.EHMonths);
  CopyInto(lists_[kGregorianRow], arabic ? names.AMonths : names.EMonths);
  CopyInto(lists_[kDayRow], arabic ? names.ADays : names.EDays);
}

}  // namespace vek
