// The country, state and city lists that the location operations and new-location dialogs
// share: their labels, their look and how they show a location cascade.
#pragma once

#include <string>
#include <vector>

#include "foundation/language.h"
#include "locations/dialogs/location_operations_model.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QWidget;

namespace vek {

// The items of a list and the one it shows (-1: none), set without running the list's handler.
void ShowListItems(QComboBox* list, const std::vector<std::string>& items, int shown);
// The state list with its label, enabled in the window colour or disabled in the button face.
void ShowStateList(QLabel* label, QComboBox* list, bool enabled);
// The item a list's handler was given, or null when index is outside items.
const std::string* ItemAt(const std::vector<std::string>& items, int index);

// The three lists with their labels; a dialog that shows them derives from it.
class LocationCombos {
 public:
  QLabel* Country_L = nullptr;
  QComboBox* Country = nullptr;
  QLabel* State_L = nullptr;
  QComboBox* State = nullptr;
  QLabel* City_L = nullptr;
  QComboBox* City = nullptr;

 protected:
  // Makes the labels (in lang) and the lists, children of parent.
  void MakeLocationCombos(QWidget* parent, Language lang);
  // Puts the labels in column 0 and the lists in column 1 of rows 0 (country) to 2 (city).
  void AddLocationCombos(QGridLayout* grid) const;
  // The lists and the state list's look, from cascade.
  void ShowCascade(const LocationCascade& cascade);
};

}  // namespace vek
