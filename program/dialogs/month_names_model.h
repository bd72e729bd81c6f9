// What the month and day names dialog decides, without its form: three rows (Hijri months,
// Gregorian months, day names) of the user's language, each a working copy of its list and the
// position shown. Stepping a row keeps the typed name at the old position; a name is trimmed,
// and one that is empty, longer than the dates of the main window and the printed pages have
// room for, or that the settings file (code page 1256) cannot hold is refused where it is typed.
// The lists of the other language are never touched.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "foundation/language.h"
#include "program/settings.h"

namespace vek {

enum MonthNamesRow : int { kHijriRow = 0, kGregorianRow = 1, kDayRow = 2 };
inline constexpr int kMonthNamesRows = 3;

// The longest month or day name, in characters: room enough for every usual name (the longest
// given one, "Jumada al-Akhirah", has 17), so that a date still fits the main window's date
// line and a month's heading its column on the printed page.
inline constexpr std::size_t kMaxMonthOrDayNameChars = 20;

// Why a typed name is refused.
enum class NameCheck { Ok, Empty, TooLong, NotStorable };

// The name as it is kept (trimmed), and whether it can be.
NameCheck CheckName(const std::string& typed);
// The message of a refused name, in the language.
std::string NameRefusalText(NameCheck check, const std::string& typed, Language lang);

class MonthNamesModel {
 public:
  // The working lists are filled from names of the language, every position at 0.
  MonthNamesModel(const NameLists& names, Language lang);

  Language Lang() const { return lang_; }
  int Count(int row) const { return static_cast<int>(lists_[row].size()); }
  int Index(int row) const { return index_[row]; }
  // The stored name of the row at its position.
  const std::string& Name(int row) const { return lists_[row][index_[row]]; }
  const std::string& NameAt(int row, int index) const { return lists_[row][index]; }

  // The row moves to position: the typed name is stored at the old position first. A refused
  // name keeps the row where it was and answers why.
  NameCheck Step(int row, int position, const std::string& typed);
  // OK: the three typed names are stored at their positions; the first refused row is given
  // in refusedRow and nothing is stored.
  NameCheck StoreEdits(const std::array<std::string, kMonthNamesRows>& typed, int& refusedRow);
  // Copies the working lists into names of the language.
  void CopyTo(NameLists& names) const;

 private:
  Language lang_;
  std::array<std::vector<std::string>, kMonthNamesRows> lists_;
  std::array<int, kMonthNamesRows> index_{};
};

}  // namespace vek
