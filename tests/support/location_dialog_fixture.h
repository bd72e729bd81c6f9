// The set-up the location dialogs' tests share: a location list, a recording UI and the dialog
// context over them, with the main window's date panel when a test asks for it.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "locations/dialogs/dialog_context.h"
#include "support/fake_ui.h"

namespace vek::testing {

// A location of the names given, everything else zero.
inline TLocationRec NamedLocation(const std::string& city, const std::string& country,
                                  const std::string& state = "") {
  TLocationRec r;
  r.City = city;
  r.Country = country;
  r.State = state;
  return r;
}

class LocationDialogTest : public ::testing::Test {
 protected:
  LocationDialogTest() {
    context.Locations = &list;
    context.Ui = &ui;
  }

  void Append(std::initializer_list<TLocationRec> records) {
    for (const TLocationRec& r : records)
      list.Append(std::make_unique<TLocation>(r));
  }

  // The date panel: fixed date and time texts, and a date button that switches hijri.
  void UseDatePanel(const std::string& dateText, const std::string& timeText) {
    context.DateText = [dateText] { return dateText; };
    context.TimeText = [timeText] { return timeText; };
    context.HijriMode = [this] { return hijri; };
    context.ToggleDateMode = [this] { hijri = !hijri; };
  }

  // The list index of the first location named city; -1 when there is none.
  int IndexOf(const std::string& city) const {
    for (int i = 0; i < list.Count(); ++i)
      if (list.GetItem(i).Rec.City == city)
        return i;
    return -1;
  }

  TLocations list;
  FakeUi ui;
  LocationDialogContext context;
  bool hijri = false;
};

}  // namespace vek::testing
