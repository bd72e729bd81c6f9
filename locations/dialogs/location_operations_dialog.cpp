#include "locations/dialogs/location_operations_dialog.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

#include "foundation/qt/eliding_label.h"
#include "foundation/qt/modal_runner.h"
#include "foundation/qt/qt_strings.h"
#include "locations/dialogs/change_location_dialog.h"
#include "locations/dialogs/location_combos.h"
#include "locations/dialogs/new_location_dialog.h"

namespace vek {

namespace {

struct Captions {
  const char* title;
  const char* timesFor;
  const char* close;
  const char* select;
  const char* edit;
  const char* add;
  const char* remove;
  const char* gregorian;
  const char* hijri;
};

const Captions kEnglish = {
    "Select Location", "Times for city", "Close", "Select", "Edit", "New",
    "Delete",          "Gregorian",      "Hijri",
};
const Captions kArabic = {
    "اختيار موقع", "حسب توقيت مدينة", "إغلاق", "اختيار", "تعديل", "جديد", "حذف", "ميلادي", "هجري",
};

// The hints of the Arabic form (the English one has none).
struct Hints {
  const char* country = "اختر الدولة";
  const char* state = "اختر الولاية";
  const char* city = "اختر المدينة";
  const char* close = "إغلاق هذه النافذة";
  const char* select = "اجعل الموقع المعروض هو الموقع الحالي";
  const char* edit = "تعديل تفاصيل الموقع المعروض: خط الطول وخط العرض والتوقيت الصيفي وغيرها";
  const char* add = "إضافة موقع جديد";
  const char* remove = "حذف الموقع المعروض";
};

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

TLocationOperation::TLocationOperation(const LocationDialogContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      context_(context),
      model_(context_) {
  const bool arabic = context_.Lang == Language::Arabic;
  const Captions& captions = arabic ? kArabic : kEnglish;
  setWindowTitle(Text(captions.title));
  setLayoutDirection(LayoutDirectionOf(context_.Lang));

  MakeLocationCombos(this, context_.Lang);
  auto* lists = new QGridLayout;
  AddLocationCombos(lists);

  City_T = new QLabel(Text(captions.timesFor), this);
  City_T->setAlignment(Qt::AlignCenter);
  CCity = new ElidingLabel(this);
  CCity->setAlignment(Qt::AlignCenter);
  QFont titleFont = CCity->font();
  titleFont.setBold(true);
  titleFont.setPointSize(titleFont.pointSize() + 2);
  CCity->setFont(titleFont);
  KQ_P = new TimesPanel(1.0, 1.0, this);
  KQ_P->SetLanguage(context_.Lang);

  auto* datePanel = new QFrame(this);
  datePanel->setFrameShape(QFrame::StyledPanel);
  auto* dateBox = new QVBoxLayout(datePanel);
  Date = new ElidingLabel(datePanel);  // a long month name never widens the dialog
  // Room for the longest date of the usual names.
  Date->setMinimumWidth(
      Date->fontMetrics().horizontalAdvance(QStringLiteral("Wednesday 30 Jumada al-Akhirah 1448")));
  Date->setAlignment(Qt::AlignCenter);
  Time = new QLabel(datePanel);
  Time->setAlignment(Qt::AlignCenter);
  DateBtn = new QPushButton(datePanel);
  DateBtn->setAutoDefault(false);
  dateBox->addWidget(Date);
  dateBox->addWidget(Time);
  dateBox->addWidget(DateBtn, 0, Qt::AlignHCenter);

  auto* preview = new QVBoxLayout;
  preview->addWidget(City_T);
  preview->addWidget(CCity);
  preview->addWidget(KQ_P);
  preview->addWidget(datePanel);

  auto* left = new QVBoxLayout;
  left->addLayout(lists);
  left->addStretch();
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addSpacing(12);
  top->addLayout(preview);

  CloseBtn = new QPushButton(Text(captions.close), this);
  SelectBtn = new QPushButton(Text(captions.select), this);
  EditBtn = new QPushButton(Text(captions.edit), this);
  NewBtn = new QPushButton(Text(captions.add), this);
  DeleteBtn = new QPushButton(Text(captions.remove), this);
  for (QPushButton* button : {SelectBtn, EditBtn, NewBtn, DeleteBtn})
    button->setAutoDefault(false);
  CloseBtn->setDefault(true);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {SelectBtn, EditBtn, NewBtn, DeleteBtn})
    buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(CloseBtn);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  if (arabic && context_.ShowHint) {
    const Hints hints;
    Country->setToolTip(Text(hints.country));
    State->setToolTip(Text(hints.state));
    City->setToolTip(Text(hints.city));
    CloseBtn->setToolTip(Text(hints.close));
    SelectBtn->setToolTip(Text(hints.select));
    EditBtn->setToolTip(Text(hints.edit));
    NewBtn->setToolTip(Text(hints.add));
    DeleteBtn->setToolTip(Text(hints.remove));
  }

  // Only the user's choices run the handlers; the lists filled by code stay silent.
  connect(Country, &QComboBox::activated, this, &TLocationOperation::CountryChange);
  connect(State, &QComboBox::activated, this, &TLocationOperation::StateChange);
  connect(City, &QComboBox::activated, this, &TLocationOperation::CityChange);
  connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(SelectBtn, &QPushButton::clicked, this, &TLocationOperation::SelectBtnClick);
  connect(EditBtn, &QPushButton::clicked, this, &TLocationOperation::EditBtnClick);
  connect(NewBtn, &QPushButton::clicked, this, &TLocationOperation::NewBtnClick);
  connect(DeleteBtn, &QPushButton::clicked, this, &TLocationOperation::DeleteBtnClick);
  connect(DateBtn, &QPushButton::clicked, this, &TLocationOperation::DateBtnClick);

  // FormCreate.
  UpdateDateButtonCaption();
  ShowTimesPanel();
  model_.FormCreate();
  ShowSelection();
}

void TLocationOperation::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

void TLocationOperation::FormActivate() {
  UpdateDateDisplay(context_.DateText ? ToQString(context_.DateText()) : Date->text());
}

void TLocationOperation::UpdateDateDisplay(const QString& dateText) {
  ShowTimesPanel();
  SetTextIfChanged(Date, dateText);
  UpdateClockDisplay();
}

void TLocationOperation::UpdateClockDisplay() {
  if (context_.TimeText)
    SetTextIfChanged(Time, ToQString(context_.TimeText()));
}

void TLocationOperation::UpdateDateButtonCaption() {
  const Captions& captions = context_.Lang == Language::Arabic ? kArabic : kEnglish;
  const bool hijri = context_.HijriMode && context_.HijriMode();
  DateBtn->setText(Text(hijri ? captions.gregorian : captions.hijri));
}

void TLocationOperation::ShowTimesPanel() {
  KQ_P->ShowImsak(context_.IsRamadan);
}

void TLocationOperation::ShowSelection() {
  ShowCascade(model_.Cascade());
  LocationsClick();
}

void TLocationOperation::LocationsClick() {
  const TimesPreview preview = model_.LocationsClick();
  SetTextIfChanged(CCity, ToQString(preview.Title));
  // Seven times from Imsak in Ramadan, else six from Fajr.
  KQ_P->Clear();
  const int first = preview.Ramadan ? Imsak : Fajr;
  for (std::size_t i = 0; i < preview.Times.size() && first + i < kPrayerSlots; ++i)
    KQ_P->ShowTime(first + static_cast<int>(i), ToQString(preview.Times[i]));
}

void TLocationOperation::CountryChange(int index) {
  if (const std::string* name = ItemAt(model_.Cascade().Countries(), index)) {
    model_.CountryChange(*name);
    ShowSelection();
  }
}

void TLocationOperation::StateChange(int index) {
  if (const std::string* name = ItemAt(model_.Cascade().States(), index)) {
    model_.StateChange(*name);
    ShowSelection();
  }
}

void TLocationOperation::CityChange(int index) {
  if (const std::string* name = ItemAt(model_.Cascade().Cities(), index)) {
    model_.CityChange(*name);
    ShowSelection();
  }
}

void TLocationOperation::SelectBtnClick() {
  model_.SelectBtnClick();
}

void TLocationOperation::EditBtnClick() {
  const int index = model_.SelIndex();
  if (index < 0 || index >= context_.Locations->Count())
    return;
  {
    TChangeLocation dialog(context_, index, this);
    RunModal(context_.RunModal, dialog);
  }
  LocationsClick();
}

void TLocationOperation::NewBtnClick() {
  std::string country, state, city;
  bool isNewCountry = false;
  bool added = false;
  {
    TNewLocation dialog(context_, this);
    added = dialog.Execute(model_.SelIndex(), country, isNewCountry, state, city);
  }
  if (!added)
    return;
  model_.AddLocation(country, city, state);
  ShowSelection();
}

void TLocationOperation::DeleteBtnClick() {
  if (model_.DeleteBtnClick())
    ShowSelection();
}

void TLocationOperation::DateBtnClick() {
  if (context_.ToggleDateMode)
    context_.ToggleDateMode();
  UpdateDateButtonCaption();
}

}  // namespace vek
