#include "locations/dialogs/select_location_model.h"

#include <algorithm>

#include <stdexcept>
#include <string_view>

#include "engine/prayer_times.h"
#include "foundation/text.h"
#include "locations/us_states.h"
#include "program/current_location.h"
#include "program/display_texts.h"

namespace vek {

namespace {

constexpr char32_t kEsc = 0x1B;

// How well field, upper-cased (ASCII), matches needle (already upper case): 0 when it begins
// with it, 1 when a word of it (after a character that is no letter or digit) does, 2 when it
// holds it anywhere else, kNoMatch when not at all. The needle is ASCII, so a match never starts
// or ends inside a UTF-8 sequence of the field.
constexpr int kNoMatch = 3;
int MatchRank(std::string_view field, std::string_view needle) {
  if (needle.size() > field.size())
    return kNoMatch;
  const auto isWordChar = [](char c) {
    return IsAsciiAlnum(c) || static_cast<unsigned char>(c) >= 0x80;
  };
  int best = kNoMatch;
  const std::size_t last = field.size() - needle.size();
  for (std::size_t start = 0; start <= last && best > 0; ++start) {
    std::size_t i = 0;
    while (i < needle.size() && AsciiUpperChar(field[start + i]) == needle[i])
      ++i;
    if (i < needle.size())
      continue;
    const int rank = start == 0 ? 0 : !isWordChar(field[start - 1]) ? 1 : 2;
    best = std::min(best, rank);
  }
  return best;
}

char SearchableKey(char32_t key) {
  if (key == U' ' || (key >= U'0' && key <= U'9') || (key >= U'A' && key <= U'Z') ||
      (key >= U'a' && key <= U'z'))
    return AsciiUpperChar(static_cast<char>(key));
  return 0;
}

const std::string& SortField(const TLocationRec& rec, int column) {
  switch (column) {
    case SelectLocationModel::kCountryColumn:
      return rec.Country;
    case SelectLocationModel::kStateColumn:
      return rec.State;
    default:
      return rec.City;
  }
}

TLocations& ListOf(const LocationDialogContext& context) {
  if (context.Locations == nullptr)
    throw std::invalid_argument("SelectLocationModel needs a location list");
  return *context.Locations;
}

}  // namespace

SelectLocationModel::SelectLocationModel(const LocationDialogContext& context)
    : context_(context), list_(ListOf(context_)), rowCount_(list_.Count()) {
  list_.SortByCity();
  sortColumn_ = kCityColumn;
  for (SearchLabel& label : labels_)
    label.Caption = SearchCaption("");
  labels_[kCityColumn].Visible = true;
  HighlightCurrent();
}

bool SelectLocationModel::ValidRow(int row) const {
  return row >= 0 && row < rowCount_ && row < list_.Count();
}

std::string SelectLocationModel::SearchCaption(const std::string& text) const {
  return Arabic() ? text + " :بحث عن" : "Search for: " + text;
}

void SelectLocationModel::Beep() {
  if (context_.Ui != nullptr)
    context_.Ui->Beep();
}

SelectLocationModel::RowTexts SelectLocationModel::RowText(int row) const {
  if (!ValidRow(row))
    return {};
  const TLocationRec& rec = list_.GetItem(row).Rec;
  RowTexts texts{std::to_string(row + 1), rec.City, rec.Country, {}};
  UsStateNameFromCode(rec.State, texts.State);
  return texts;
}

void SelectLocationModel::HighlightCurrent() {
  itemIndex_ = ValidRow(list_.CurrentIndex) ? list_.CurrentIndex : -1;
  RefreshPreview();
}

void SelectLocationModel::LocationsClick(int row) {
  if (!ValidRow(row))
    return;
  itemIndex_ = row;
  RefreshPreview();
}

void SelectLocationModel::RefreshPreview() {
  preview_ = {};
  if (!ValidRow(itemIndex_))
    return;
  const TLocationRec& rec = list_.GetItem(itemIndex_).Rec;
  preview_.Index = itemIndex_;
  preview_.Title = rec.City + "  (" + rec.Country + ")";
  const TDayTimesRec times = ComputeTodayTimes(list_, itemIndex_, context_.Today, context_.Engine);
  for (int slot = context_.IsRamadan ? Imsak : Fajr; slot <= Isha; ++slot)
    preview_.Times.push_back(
        {static_cast<TPrayerSlot>(slot),
         FormatPrayerTime(times[static_cast<std::size_t>(slot)], context_.Is24H)});
}

bool SelectLocationModel::LocationsKeyPress(char32_t key) {
  const char c = SearchableKey(key);
  if (c == 0) {
    if (key == kEsc)
      searchText_.clear();
    Beep();
    return false;
  }
  searchText_ += c;
  labels_[static_cast<std::size_t>(sortColumn_)].Caption = SearchCaption(searchText_);
  // The best match in list order: a name that begins with the text before a name with a word
  // that does, before a name that holds it anywhere.
  int found = -1;
  int foundRank = kNoMatch;
  for (int row = 0; row < rowCount_ && row < list_.Count() && foundRank > 0; ++row) {
    const int rank = MatchRank(SortField(list_.GetItem(row).Rec, sortColumn_), searchText_);
    if (rank < foundRank) {
      found = row;
      foundRank = rank;
    }
  }
  if (found >= 0) {
    // The preview follows the highlight, so that Select takes the location shown.
    LocationsClick(found);
    return true;
  }
  Beep();
  searchText_.clear();
  return false;
}

void SelectLocationModel::LocationsHeaderSectionClick(int section) {
  searchText_.clear();
  if (section >= 1 && section <= 3) {
    sortColumn_ = section - 1;
    if (sortColumn_ == kCityColumn)
      list_.SortByCity();
    else if (sortColumn_ == kCountryColumn)
      list_.SortByCountry();
    else
      list_.SortByState();
    for (int column = 0; column < 3; ++column)
      labels_[static_cast<std::size_t>(column)].Visible = column == sortColumn_;
  }
  // The highlight returns to the current location, and the preview goes with it.
  HighlightCurrent();
}

bool SelectLocationModel::SelectBtnClick() {
  if (!ValidRow(itemIndex_))
    return false;
  list_.CurrentIndex = itemIndex_;
  return true;
}

std::string SelectLocationModel::DateButtonCaption() const {
  const bool hijri = context_.HijriMode && context_.HijriMode();
  if (Arabic())
    return hijri ? "ميلادي" : "هجري";
  return hijri ? "Gregorian" : "Hijri";
}

void SelectLocationModel::DateBtnClick() {
  if (context_.ToggleDateMode)
    context_.ToggleDateMode();
}

}  // namespace vek
