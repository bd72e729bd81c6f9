// What the select-location dialog decides, without widgets: the highlighted row, the sort column
// and the incremental search over the shared location list, the texts of a row, the search
// labels and the preview of today's times for the highlighted location.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/day_times.h"
#include "locations/dialogs/dialog_context.h"

namespace vek {

class SelectLocationModel {
 public:
  // Sort columns, which are also the columns of the search labels.
  static constexpr int kCityColumn = 0;
  static constexpr int kCountryColumn = 1;
  static constexpr int kStateColumn = 2;
  // Header sections: the row number, then the three sort columns.
  static constexpr int kNumberSection = 0;

  struct RowTexts {
    std::string Number;  // row + 1
    std::string City;
    std::string Country;
    std::string State;  // the state's name, not its code
  };

  struct SearchLabel {
    std::string Caption;
    bool Visible = false;
  };

  struct PreviewTime {
    TPrayerSlot Slot;
    std::string Text;
  };

  struct Preview {
    int Index = -1;                  // the row previewed; -1 when there is none
    std::string Title;               // City + "  (" + Country + ")"
    std::vector<PreviewTime> Times;  // Fajr..Isha, in Ramadan Imsak..Isha
  };

  // Highlights the current location, sorts the list by city (the current location stays
  // current) and previews it; only the city search label is shown, the search text is empty.
  explicit SelectLocationModel(const LocationDialogContext& context);

  const LocationDialogContext& Context() const { return context_; }
  // The rows of the dialog: one per location, counted once at creation.
  int RowCount() const { return rowCount_; }
  // The four texts of row (LocationsDrawItem); empty texts for a row outside the list.
  RowTexts RowText(int row) const;

  int SelectSortColumn() const { return sortColumn_; }
  const std::string& SelectSearchText() const { return searchText_; }
  const SearchLabel& Label(int column) const {
    return labels_.at(static_cast<std::size_t>(column));
  }

  // The highlighted row, or -1 when there is no current location to start from.
  int ItemIndex() const { return itemIndex_; }
  // Highlights row and previews it (LocationsClick). A row outside the list is ignored.
  void LocationsClick(int row);
  // Computes the preview of the highlighted row again (after the location was edited).
  void RefreshPreview();
  const Preview& CurrentPreview() const { return preview_; }

  // One typed character (a Unicode code point). A blank, a digit or a letter A..Z (either case)
  // extends the search text and highlights the row whose field of the sort column matches it
  // best: first a field that begins with the text, then one with a word that begins with it,
  // then one that holds it anywhere; among equals the first in list order. The highlighted row
  // is previewed. Esc empties the
  // search text. Any other key, and a search without a match, beeps; after a miss the search
  // starts again with the next key while the label still shows the text that failed. True when
  // a row was found.
  bool LocationsKeyPress(char32_t key);

  // A click on header section 0..3 (number, city, country, state): sorts by that column
  // (the number sorts nothing), empties the search text, shows that column's search label only,
  // and returns the highlight (and the preview) to the current location.
  void LocationsHeaderSectionClick(int section);

  // Makes the highlighted location the current one. False (nothing changed) with no highlight.
  bool SelectBtnClick();

  // The caption of the date button: the calendar that a click switches to.
  std::string DateButtonCaption() const;
  // Switches the main window between Hijri and Gregorian dates.
  void DateBtnClick();

 private:
  bool Arabic() const { return context_.Lang == Language::Arabic; }
  bool ValidRow(int row) const;
  std::string SearchCaption(const std::string& text) const;
  void HighlightCurrent();
  void Beep();

  LocationDialogContext context_;
  TLocations& list_;
  int rowCount_ = 0;
  int sortColumn_ = kCityColumn;
  std::string searchText_;
  std::array<SearchLabel, 3> labels_;
  int itemIndex_ = -1;
  Preview preview_;
};

}  // namespace vek
