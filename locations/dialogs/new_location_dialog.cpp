#include "locations/dialogs/new_location_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "foundation/qt/qt_strings.h"
#include "locations/dialogs/location_operations_dialog.h"

namespace vek {

namespace {

QString Utf8(const char* utf8) {
  return QString::fromUtf8(utf8);
}

constexpr Qt::WindowFlags kDialogBorder =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

}  // namespace

// ---------------------------------------------------------------------------------------------
// TNewName

TNewName::TNewName(Language lang, QWidget* parent) : QDialog(parent, kDialogBorder) {
  const bool arabic = lang == Language::Arabic;
  setWindowTitle(Utf8(arabic ? "اسم جديد" : "New Name"));
  setLayoutDirection(arabic ? Qt::RightToLeft : Qt::LeftToRight);

  Msg = new QLabel(this);
  Msg->setWordWrap(true);
  Text = new QLineEdit(this);
  Text->setMinimumWidth(280);
  OK = new QPushButton(Utf8(arabic ? "مــوافــق" : "Ok"), this);
  CancelBtn = new QPushButton(Utf8(arabic ? "إلغاء الأمر" : "Cancel"), this);
  OK->setDefault(true);
  CancelBtn->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OK);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Msg);
  layout->addWidget(Text);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(Text, &QLineEdit::textChanged, this, &TNewName::NameChange);
  connect(OK, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  NameChange();
}

void TNewName::Prepare(const std::string& prompt) {
  Msg->setText(ToQString(prompt));
  Text->clear();
  NameChange();
  Text->setFocus();
}

void TNewName::NameChange() {
  OK->setEnabled(!Text->text().isEmpty());
}

std::string TNewName::Execute(const std::string& prompt) {
  Prepare(prompt);
  if (exec() != QDialog::Accepted)
    return {};
  return ToUtf8(Text->text());
}

// ---------------------------------------------------------------------------------------------
// TNewLocation

TNewLocation::TNewLocation(const LocationDialogContext& context, QWidget* parent)
    : QDialog(parent, kDialogBorder), context_(context), model_(context_) {
  const bool arabic = context_.Lang == Language::Arabic;
  setWindowTitle(QStringLiteral("Add New Location"));
  setLayoutDirection(arabic ? Qt::RightToLeft : Qt::LeftToRight);

  const auto makeList = [this] {
    auto* list = new QComboBox(this);
    list->setMinimumContentsLength(18);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return list;
  };
  Country_L = new QLabel(Utf8(arabic ? "الدولة" : "Country:"), this);
  Country = makeList();
  State_L = new QLabel(Utf8(arabic ? "الولاية" : "State:"), this);
  State = makeList();
  City_L = new QLabel(Utf8(arabic ? "المدينة" : "City:"), this);
  City = makeList();
  NewCountryBtn = new QPushButton(Utf8(arabic ? "دولة جديدة" : "New Country"), this);
  NewCityBtn = new QPushButton(Utf8(arabic ? "مدينة جديدة" : "New City"), this);
  AddBtn = new QPushButton(Utf8(arabic ? "إضـافة الموقع" : "Add Location"), this);
  CancelBtn = new QPushButton(Utf8(arabic ? "إلغـاء الأمر " : "Cancel"), this);
  for (QPushButton* button : {NewCountryBtn, NewCityBtn, AddBtn, CancelBtn})
    button->setAutoDefault(false);

  auto* grid = new QGridLayout;
  grid->addWidget(Country_L, 0, 0);
  grid->addWidget(Country, 0, 1);
  grid->addWidget(NewCountryBtn, 0, 2);
  grid->addWidget(State_L, 1, 0);
  grid->addWidget(State, 1, 1);
  grid->addWidget(City_L, 2, 0);
  grid->addWidget(City, 2, 1);
  grid->addWidget(NewCityBtn, 2, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(AddBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  AskNewName = [this](const std::string& prompt) {
    TNewName dialog(context_.Lang, this);
    return dialog.Execute(prompt);
  };

  // Only the user's choices run the handlers; the lists filled by code stay silent.
  connect(Country, &QComboBox::activated, this, &TNewLocation::CountryChange);
  connect(State, &QComboBox::activated, this, &TNewLocation::StateChange);
  connect(City, &QComboBox::activated, this, &TNewLocation::CityChange);
  connect(NewCountryBtn, &QPushButton::clicked, this, &TNewLocation::NewCountryBtnClick);
  connect(NewCityBtn, &QPushButton::clicked, this, &TNewLocation::NewCityBtnClick);
  connect(AddBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

bool TNewLocation::Execute(int index, std::string& country, bool& isNewCountry, std::string& state,
                           std::string& city) {
  Reset(index);
  if (exec() != QDialog::Accepted || !model_.NewCityAdded)
    return false;
  country = model_.NewCountry;
  isNewCountry = model_.NewCountryAdded;
  state = model_.NewState;
  city = model_.NewCity;
  return true;
}

void TNewLocation::Reset(int index) {
  model_.Reset(index);
  ShowSelection();
  UpdateButtons();
}

void TNewLocation::ShowSelection() {
  const LocationCascade& cascade = model_.Cascade();
  ShowListItems(Country, cascade.Countries(), cascade.CountryShown());
  ShowListItems(City, cascade.Cities(), cascade.CityShown());
  ShowListItems(State, cascade.States(), cascade.StateShown());
  ShowStateList(State_L, State, cascade.StateEnabled());
}

void TNewLocation::UpdateButtons() {
  const NewLocationControls controls = model_.Controls();
  AddBtn->setEnabled(controls.AddBtn);
  NewCountryBtn->setEnabled(controls.NewCountryBtn);
  NewCityBtn->setEnabled(controls.NewCityBtn);
  Country->setEnabled(controls.Country);
  City->setEnabled(controls.City);
  if (model_.Cascade().StateEnabled())
    State->setEnabled(controls.State);
}

void TNewLocation::CountryChange(int index) {
  const auto& items = model_.Cascade().Countries();
  if (index < 0 || index >= static_cast<int>(items.size()))
    return;
  model_.CountryChange(items[static_cast<std::size_t>(index)]);
  ShowSelection();
  UpdateButtons();
}

void TNewLocation::StateChange(int index) {
  const auto& items = model_.Cascade().States();
  if (index < 0 || index >= static_cast<int>(items.size()))
    return;
  model_.StateChange(items[static_cast<std::size_t>(index)]);
  ShowSelection();
  UpdateButtons();
}

void TNewLocation::CityChange(int index) {
  const auto& items = model_.Cascade().Cities();
  if (index < 0 || index >= static_cast<int>(items.size()))
    return;
  model_.CityChange(items[static_cast<std::size_t>(index)]);
  ShowSelection();
  UpdateButtons();
}

void TNewLocation::NewCountryBtnClick() {
  model_.NewCountryEntered(AskNewName(NewCountryPrompt(context_.Lang)));
  ShowSelection();
  UpdateButtons();
}

void TNewLocation::NewCityBtnClick() {
  model_.NewCityEntered(AskNewName(NewCityPrompt(context_.Lang)));
  ShowSelection();
  UpdateButtons();
}

}  // namespace vek
