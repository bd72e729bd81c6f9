#include "locations/dialogs/location_combos.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

#include "foundation/qt/qt_strings.h"

namespace vek {

void ShowListItems(QComboBox* list, const std::vector<std::string>& items, int shown) {
  const QSignalBlocker blocker(list);
  bool same = list->count() == static_cast<int>(items.size());
  for (int i = 0; same && i < list->count(); ++i)
    same = list->itemText(i) == ToQString(items[static_cast<std::size_t>(i)]);
  if (!same) {
    list->clear();
    for (const std::string& item : items)
      list->addItem(ToQString(item));
  }
  list->setCurrentIndex(shown);
}

void ShowStateList(QLabel* label, QComboBox* list, bool enabled) {
  label->setEnabled(enabled);
  list->setEnabled(enabled);
  // The window colour while it can be used, the button face while it cannot.
  QPalette palette = list->palette();
  const QPalette standard = list->parentWidget() ? list->parentWidget()->palette() : palette;
  palette.setColor(QPalette::Base, standard.color(enabled ? QPalette::Base : QPalette::Button));
  list->setPalette(palette);
}

const std::string* ItemAt(const std::vector<std::string>& items, int index) {
  if (index < 0 || index >= static_cast<int>(items.size()))
    return nullptr;
  return &items[static_cast<std::size_t>(index)];
}

void LocationCombos::MakeLocationCombos(QWidget* parent, Language lang) {
  const bool arabic = lang == Language::Arabic;
  const auto makeList = [parent] {
    auto* list = new QComboBox(parent);
    list->setMinimumContentsLength(18);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return list;
  };
  Country_L = new QLabel(QString::fromUtf8(arabic ? "الدولة" : "Country:"), parent);
  Country = makeList();
  State_L = new QLabel(QString::fromUtf8(arabic ? "الولاية" : "State:"), parent);
  State = makeList();
  City_L = new QLabel(QString::fromUtf8(arabic ? "المدينة" : "City:"), parent);
  City = makeList();
}

void LocationCombos::AddLocationCombos(QGridLayout* grid) const {
  grid->addWidget(Country_L, 0, 0);
  grid->addWidget(Country, 0, 1);
  grid->addWidget(State_L, 1, 0);
  grid->addWidget(State, 1, 1);
  grid->addWidget(City_L, 2, 0);
  grid->addWidget(City, 2, 1);
}

void LocationCombos::ShowCascade(const LocationCascade& cascade) {
  ShowListItems(Country, cascade.Countries(), cascade.CountryShown());
  ShowListItems(City, cascade.Cities(), cascade.CityShown());
  ShowListItems(State, cascade.States(), cascade.StateShown());
  ShowStateList(State_L, State, cascade.StateEnabled());
}

}  // namespace vek
