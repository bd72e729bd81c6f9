#include "locations/dialogs/new_location_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "foundation/qt/qt_strings.h"
#include "locations/dialogs/location_combos.h"

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
  setLayoutDirection(LayoutDirectionOf(lang));

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

std::string TNewName::Execute(const std::string& prompt, const ModalRunner& runModal) {
  Prepare(prompt);
  if (RunModal(runModal, *this) != QDialog::Accepted)
    return {};
  return ToUtf8(Text->text());
}

// ---------------------------------------------------------------------------------------------
// TNewLocation

TNewLocation::TNewLocation(const LocationDialogContext& context, QWidget* parent)
    : QDialog(parent, kDialogBorder), context_(context), model_(context_) {
  const bool arabic = context_.Lang == Language::Arabic;
  setWindowTitle(QStringLiteral("Add New Location"));
  setLayoutDirection(LayoutDirectionOf(context_.Lang));

  MakeLocationCombos(this, context_.Lang);
  NewCountryBtn = new QPushButton(Utf8(arabic ? "دولة جديدة" : "New Country"), this);
  NewCityBtn = new QPushButton(Utf8(arabic ? "مدينة جديدة" : "New City"), this);
  AddBtn = new QPushButton(Utf8(arabic ? "إضـافة الموقع" : "Add Location"), this);
  CancelBtn = new QPushButton(Utf8(arabic ? "إلغـاء الأمر " : "Cancel"), this);
  for (QPushButton* button : {NewCountryBtn, NewCityBtn, AddBtn, CancelBtn})
    button->setAutoDefault(false);

  auto* grid = new QGridLayout;
  AddLocationCombos(grid);
  grid->addWidget(NewCountryBtn, 0, 2);
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
    return dialog.Execute(prompt, context_.RunModal);
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
  if (RunModal(context_.RunModal, *this) != QDialog::Accepted || !model_.NewCityAdded)
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
  ShowCascade(model_.Cascade());
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
  if (const std::string* name = ItemAt(model_.Cascade().Countries(), index)) {
    model_.CountryChange(*name);
    ShowSelection();
    UpdateButtons();
  }
}

void TNewLocation::StateChange(int index) {
  if (const std::string* name = ItemAt(model_.Cascade().States(), index)) {
    model_.StateChange(*name);
    ShowSelection();
    UpdateButtons();
  }
}

void TNewLocation::CityChange(int index) {
  if (const std::string* name = ItemAt(model_.Cascade().Cities(), index)) {
    model_.CityChange(*name);
    ShowSelection();
    UpdateButtons();
  }
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
