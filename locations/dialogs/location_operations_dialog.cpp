#include "locations/dialogs/location_operations_dialog.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <string>

#include "foundation/qt/qt_strings.h"
#include "locations/dialogs/change_location_dialog.h"
#include "locations/dialogs/new_location_dialog.h"

namespace vek {

namespace {

struct Captions {
  const char* title;
  const char* country;
  const char* state;
  const char* city;
  const char* timesFor;
  const char* close;
  const char* select;
  const char* edit;
  const char* add;
  const char* remove;
  const char* gregorian;
  const char* hijri;
  std::array<const char*, 7> prayers;
};

const Captions kEnglish = {
    "Select Location",
    "Country:",
    "State:",
    "City:",
    "Times for city",
    "Close",
    "Select",
    "Edit",
    "New",
    "Delete",
    "Gregorian",
    "Hijri",
    {"Imsak", "Fajr", "Shuruq", "Zuhr", "Asr", "Maghrib", "Isha"},
};
const Captions kArabic = {
    "اختيار موقع",
    "الدولة",
    "الولاية",
    "المدينة",
    "حسب توقيت مدينة",
    "إغلاق",
    "اختيار",
    "تعديل",
    "جديد",
    "حذف",
    "ميلادي",
    "هجري",
    {"الإمساك", "الفجر", "الشروق", "الظهر", "العصر", "المغرب", "العشاء"},
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

// A panel of prayer names and their times; the time labels are returned in times.
template <std::size_t N>
QFrame* MakeTimesPanel(QWidget* parent, const Captions& captions, int firstSlot,
                       std::array<QLabel*, N>& times) {
  auto* panel = new QFrame(parent);
  panel->setFrameShape(QFrame::StyledPanel);
  auto* grid = new QGridLayout(panel);
  grid->setHorizontalSpacing(16);
  QFont timeFont = panel->font();
  timeFont.setBold(true);
  for (std::size_t i = 0; i < N; ++i) {
    const int row = static_cast<int>(i);
    grid->addWidget(
        new QLabel(Text(captions.prayers[static_cast<std::size_t>(firstSlot) + i]), panel), row, 0);
    times[i] = new QLabel(panel);
    times[i]->setFont(timeFont);
    times[i]->setMinimumWidth(80);
    grid->addWidget(times[i], row, 1);
  }
  return panel;
}

}  // namespace

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

TLocationOperation::TLocationOperation(const LocationDialogContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      context_(context),
      model_(context_) {
  const bool arabic = context_.Lang == Language::Arabic;
  const Captions& captions = arabic ? kArabic : kEnglish;
  setWindowTitle(Text(captions.title));
  setLayoutDirection(arabic ? Qt::RightToLeft : Qt::LeftToRight);

  const auto makeList = [this] {
    auto* list = new QComboBox(this);
    list->setMinimumContentsLength(18);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return list;
  };
  Country_L = new QLabel(Text(captions.country), this);
  Country = makeList();
  State_L = new QLabel(Text(captions.state), this);
  State = makeList();
  City_L = new QLabel(Text(captions.city), this);
  City = makeList();
  auto* lists = new QGridLayout;
  lists->addWidget(Country_L, 0, 0);
  lists->addWidget(Country, 0, 1);
  lists->addWidget(State_L, 1, 0);
  lists->addWidget(State, 1, 1);
  lists->addWidget(City_L, 2, 0);
  lists->addWidget(City, 2, 1);

  City_T = new QLabel(Text(captions.timesFor), this);
  City_T->setAlignment(Qt::AlignCenter);
  CCity = new QLabel(this);
  CCity->setAlignment(Qt::AlignCenter);
  QFont titleFont = CCity->font();
  titleFont.setBold(true);
  titleFont.setPointSize(titleFont.pointSize() + 2);
  CCity->setFont(titleFont);
  KQ_P = MakeTimesPanel(this, captions, Fajr, KQ_Times);
  RKQ_P = MakeTimesPanel(this, captions, Imsak, RKQ_Times);

  auto* datePanel = new QFrame(this);
  datePanel->setFrameShape(QFrame::StyledPanel);
  auto* dateBox = new QVBoxLayout(datePanel);
  Date = new QLabel(datePanel);
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
  preview->addWidget(RKQ_P);
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
  RKQ_P->setVisible(context_.IsRamadan);
  KQ_P->setVisible(!context_.IsRamadan);
}

void TLocationOperation::ShowSelection() {
  const LocationCascade& cascade = model_.Cascade();
  ShowListItems(Country, cascade.Countries(), cascade.CountryShown());
  ShowListItems(City, cascade.Cities(), cascade.CityShown());
  ShowListItems(State, cascade.States(), cascade.StateShown());
  ShowStateList(State_L, State, cascade.StateEnabled());
  LocationsClick();
}

void TLocationOperation::LocationsClick() {
  const TimesPreview preview = model_.LocationsClick();
  SetTextIfChanged(CCity, ToQString(preview.Title));
  const auto fill = [&preview](auto& labels) {
    for (std::size_t i = 0; i < labels.size(); ++i)
      labels[i]->setText(i < preview.Times.size() ? ToQString(preview.Times[i]) : QString());
  };
  if (preview.Ramadan)
    fill(RKQ_Times);
  else
    fill(KQ_Times);
}

void TLocationOperation::CountryChange(int index) {
  const auto& items = model_.Cascade().Countries();
  if (index < 0 || index >= static_cast<int>(items.size()))
    return;
  model_.CountryChange(items[static_cast<std::size_t>(index)]);
  ShowSelection();
}

void TLocationOperation::StateChange(int index) {
  const auto& items = model_.Cascade().States();
  if (index < 0 || index >= static_cast<int>(items.size()))
    return;
  model_.StateChange(items[static_cast<std::size_t>(index)]);
  ShowSelection();
}

void TLocationOperation::CityChange(int index) {
  const auto& items = model_.Cascade().Cities();
  if (index < 0 || index >= static_cast<int>(items.size()))
    return;
  model_.CityChange(items[static_cast<std::size_t>(index)]);
  ShowSelection();
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
    dialog.exec();
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
