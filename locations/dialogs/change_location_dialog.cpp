#include "locations/dialogs/change_location_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "engine/calendar.h"
#include "foundation/qt/message_forms.h"
#include "foundation/qt/qt_strings.h"
#include "foundation/ui_services.h"

namespace vek {

namespace {

using F = ChangeLocationField;

// The Arabic hints of the numeric edits: what each one holds and its range.
const char* FieldHint(F field) {
  switch (field) {
    case F::LongDeg:
      return "درجات خط الطول: من الصفر إلى 180 درجة";
    case F::LongMin:
      return "دقائق خط الطول: من الصفر إلى 59 دقيقة";
    case F::St_LongDeg:
      return "خط الطول المعياري للمنطقة الزمنية: من الصفر إلى 180 درجة";
    case F::LatDeg:
      return "درجات خط العرض: من الصفر إلى 65 درجة، والحسابات أدق دون 61 درجة";
    case F::LatMin:
      return "دقائق خط العرض: من الصفر إلى 59 دقيقة";
    case F::DaySavingFrom:
    case F::DaySavingTo:
      return "اليوم من الشهر: من 1 إلى 31";
    case F::MonthSavingFrom:
    case F::MonthSavingTo:
      return "رقم الشهر: من 1 إلى 12";
    case F::FajrOffsetH:
    case F::IshaOffsetH:
      return "الساعات: من الصفر إلى ساعتين";
    case F::FajrInclinationD:
    case F::IshaInclinationD:
      return "الدرجات: من 15 إلى 20 درجة";
    case F::AfricanDelayH:
      return "الساعات: من الصفر إلى ساعة واحدة";
    case F::ImsakDurationM:
      return "الدقائق: من الصفر إلى 30 دقيقة";
    case F::ImsakDurationS:
      return "الثواني: من الصفر إلى 59 ثانية";
    default:
      return "الدقائق: من الصفر إلى 59 دقيقة";
  }
}

// Which focus changes leave an edit the way a user does; a window that deactivates (a message
// box opening, say) or a popup does not.
bool LeavesTheEdit(Qt::FocusReason reason) {
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
         reason != Qt::MenuBarFocusReason;
}

}  // namespace

TChangeLocation::TChangeLocation(const LocationDialogContext& context, int index, QWidget* parent)
    : QDialog(parent),
      context_(context),
      locationIndex_(index),
      model_(context.Lang, context.Names) {
  FormCreate();
}

QString TChangeLocation::Text(const char* english, const char* arabic) const {
  return QByLanguage(context_.Lang, english, arabic);
}

void TChangeLocation::FormCreate() {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(Text("Adjust Location", "تعديل موقع"));
  setLayoutDirection(LayoutDirectionOf(context_.Lang));
  BuildControls();
  if (Arabic() && context_.ShowHint)
    ShowHints();
  LoadLocation();
}

QLineEdit* TChangeLocation::NewEdit(ChangeLocationField field, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setMaxLength(FieldRule(field).maxChars);
  edit->setAlignment(Qt::AlignCenter);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textEdited, this, [this, field] { NumOnly(field); });
  edits_[static_cast<std::size_t>(field)] = edit;
  return edit;
}

void TChangeLocation::BuildControls() {
  auto* top = new QVBoxLayout(this);
  top->setSizeConstraint(QLayout::SetFixedSize);

  City = new QLabel(this);
  City->setAlignment(Qt::AlignCenter);
  QFont titleFont = City->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
  City->setFont(titleFont);
  top->addWidget(City);

  auto* columns = new QHBoxLayout;
  top->addLayout(columns);
  auto* left = new QVBoxLayout;
  columns->addLayout(left);

  const auto label = [this](QWidget* parent, const char* english, const char* arabic) {
    return new QLabel(Text(english, arabic), parent);
  };
  // A panel of two numeric edits, each followed by its unit.
  const auto pairRow = [&](QWidget* panel, QLineEdit* first, const char* firstEn,
                           const char* firstAr, QLineEdit* second, const char* secondEn,
                           const char* secondAr) {
    auto* row = new QHBoxLayout(panel);
    row->addWidget(first);
    row->addWidget(label(panel, firstEn, firstAr));
    row->addSpacing(8);
    row->addWidget(second);
    row->addWidget(label(panel, secondEn, secondAr));
    row->addStretch();
    return row;
  };

  // ---- position and time zone
  Position_G = new QGroupBox(Text("Position", "الموقع الجغرافي"), this);
  auto* position = new QGridLayout(Position_G);
  position->addWidget(label(Position_G, "Degrees", "درجة"), 0, 1, Qt::AlignCenter);
  position->addWidget(label(Position_G, "Minutes", "دقيقة"), 0, 2, Qt::AlignCenter);
  position->addWidget(label(Position_G, "Longitude", "خط الطول"), 1, 0);
  LongDeg = NewEdit(F::LongDeg, Position_G);
  LongMin = NewEdit(F::LongMin, Position_G);
  position->addWidget(LongDeg, 1, 1);
  position->addWidget(LongMin, 1, 2);
  position->addWidget(label(Position_G, "Latitude", "خط العرض"), 2, 0);
  LatDeg = NewEdit(F::LatDeg, Position_G);
  LatMin = NewEdit(F::LatMin, Position_G);
  position->addWidget(LatDeg, 2, 1);
  position->addWidget(LatMin, 2, 2);
  Northern = new QComboBox(Position_G);
  Northern->addItems({Text("Northern", "شمالي"), Text("Southern", "جنوبي")});
  position->addWidget(Northern, 2, 3);
  position->addWidget(label(Position_G, "Time Zone", "المنطقة الزمنية"), 3, 0);
  GMT = new QComboBox(Position_G);
  for (int i = 0; i < kTimeZoneCount; ++i)
    GMT->addItem(ToQString(TimeZoneText(i)));
  GMT->setMaxVisibleItems(16);
  // The zone texts are aligned in columns and read left to right in both languages.
  GMT->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  GMT->setLayoutDirection(Qt::LeftToRight);
  position->addWidget(GMT, 3, 1, 1, 3, Qt::AlignLeading);
  St_LongDeg = NewEdit(F::St_LongDeg, Position_G);
  St_LongDeg->hide();
  Western = new QComboBox(Position_G);
  Western->addItems({Text("Eeastern", "شرقي"), Text("Western", "غربي")});
  Western->hide();
  position->setColumnStretch(4, 1);
  left->addWidget(Position_G);

  // ---- daylight saving
  auto* dstGroup = new QGroupBox(this);
  auto* dst = new QVBoxLayout(dstGroup);
  DaySaving = new QCheckBox(Text("Daylight Saving", "التوقيت الصيفي"), dstGroup);
  dst->addWidget(DaySaving);
  DaySaving_P = new QFrame(dstGroup);
  auto* dstGrid = new QGridLayout(DaySaving_P);
  dstGrid->setContentsMargins(16, 0, 0, 0);
  dstGrid->addWidget(label(DaySaving_P, "Day", "اليوم"), 0, 1, Qt::AlignCenter);
  dstGrid->addWidget(label(DaySaving_P, "Month", "الشهر"), 0, 2, Qt::AlignCenter);
  dstGrid->addWidget(label(DaySaving_P, "From", "من"), 1, 0);
  DaySavingFrom = NewEdit(F::DaySavingFrom, DaySaving_P);
  MonthSavingFrom = NewEdit(F::MonthSavingFrom, DaySaving_P);
  dstGrid->addWidget(DaySavingFrom, 1, 1);
  dstGrid->addWidget(MonthSavingFrom, 1, 2);
  dstGrid->addWidget(label(DaySaving_P, "To", "إلى"), 2, 0);
  DaySavingTo = NewEdit(F::DaySavingTo, DaySaving_P);
  MonthSavingTo = NewEdit(F::MonthSavingTo, DaySaving_P);
  dstGrid->addWidget(DaySavingTo, 2, 1);
  dstGrid->addWidget(MonthSavingTo, 2, 2);
  dstGrid->setColumnStretch(3, 1);
  QSizePolicy keepSpace = DaySaving_P->sizePolicy();
  keepSpace.setRetainSizeWhenHidden(true);
  DaySaving_P->setSizePolicy(keepSpace);
  dst->addWidget(DaySaving_P);
  left->addWidget(dstGroup);

  // ---- Zuhr and Asr
  Zuhr_G = new QGroupBox(Text("Zuhr", "الظهر"), this);
  auto* zuhr = new QVBoxLayout(Zuhr_G);
  AfricanZuhr = new QCheckBox(Text("African Method", "الطريقة الأفريقية"), Zuhr_G);
  zuhr->addWidget(AfricanZuhr);
  African_P = new QFrame(Zuhr_G);
  auto* african = new QVBoxLayout(African_P);
  african->setContentsMargins(16, 0, 0, 0);
  african->addWidget(label(African_P, "Zuhr Delay", "تأخير الظهر"));
  auto* africanEdits = new QWidget(African_P);
  AfricanDelayH = NewEdit(F::AfricanDelayH, africanEdits);
  AfricanDelayM = NewEdit(F::AfricanDelayM, africanEdits);
  pairRow(africanEdits, AfricanDelayH, "Hours", "ساعة", AfricanDelayM, "Minutes", "دقيقة")
      ->setContentsMargins(0, 0, 0, 0);
  african->addWidget(africanEdits);
  African_P->setSizePolicy(keepSpace);
  zuhr->addWidget(African_P);
  left->addWidget(Zuhr_G);

  Asr_G = new QGroupBox(Text("Asr", "العصر"), this);
  auto* asr = new QVBoxLayout(Asr_G);
  HanafiMethod = new QCheckBox(Text("Hanafi Method", "المذهب الحنفي"), Asr_G);
  asr->addWidget(HanafiMethod);
  left->addWidget(Asr_G);
  left->addStretch();

  // ---- the Fajr and Isha method
  Method_G = new QGroupBox(Text("Fajr and Isha", "الفجر والعشاء"), this);
  auto* method = new QVBoxLayout(Method_G);
  EasternRadio = new QRadioButton(Text("Eastern Method", "الطريقة الشرقية"), Method_G);
  MiddleEasternRadio = new QRadioButton(Text("Middle-Eastern", "طريقة الشرق الأوسط"), Method_G);
  FixedRadio = new QRadioButton(Text("Fixed Time", "توقيت ثابت"), Method_G);
  YourRadio = new QRadioButton(Text("Your Method: Angles", "طريقتك: الزوايا"), Method_G);
  SaudiRadio = new QRadioButton(Text("Saudi Method", "الطريقة السعودية"), Method_G);
  for (QRadioButton* radio : MethodRadios()) {
    method->addWidget(radio);
    connect(radio, &QRadioButton::clicked, this, [this] { FajrIshaOptionsChange(); });
  }
  method->addSpacing(6);
  // The Fajr panel and the Isha panel each show either the angle or the fixed interval.
  auto* methodSlots = new QGridLayout;
  method->addLayout(methodSlots);
  const auto panel = [&](const char* english, const char* arabic, QLineEdit*& first,
                         ChangeLocationField firstField, const char* firstEn, const char* firstAr,
                         QLineEdit*& second, ChangeLocationField secondField, const char* secondEn,
                         const char* secondAr) {
    auto* box = new QGroupBox(Text(english, arabic), Method_G);
    first = NewEdit(firstField, box);
    second = NewEdit(secondField, box);
    pairRow(box, first, firstEn, firstAr, second, secondEn, secondAr);
    return box;
  };
  YourFajr_P = panel("FAJR Sun Inclination", "زاوية انخفاض الشمس للفجر", FajrInclinationD,
                     F::FajrInclinationD, "Degrees", "درجة", FajrInclinationM, F::FajrInclinationM,
                     "Minutes", "دقيقة");
  FajrFixedOp_P =
      panel("Fajr Advance From Sunrise", "تقديم الفجر عن الشروق", FajrOffsetH, F::FajrOffsetH,
            "Hours", "ساعة", FajrOffsetM, F::FajrOffsetM, "Minutes", "دقيقة");
  YourIsha_P = panel("ISHA Sun Inclination", "زاوية انخفاض الشمس للعشاء", IshaInclinationD,
                     F::IshaInclinationD, "Degrees", "درجة", IshaInclinationM, F::IshaInclinationM,
                     "Minutes", "دقيقة");
  IshaFixedOp_P =
      panel("Isha Delay From Sunset", "تأخير العشاء عن الغروب", IshaOffsetH, F::IshaOffsetH,
            "Hours", "ساعة", IshaOffsetM, F::IshaOffsetM, "Minutes", "دقيقة");
  methodSlots->addWidget(YourFajr_P, 0, 0);
  methodSlots->addWidget(FajrFixedOp_P, 0, 0);
  methodSlots->addWidget(YourIsha_P, 1, 0);
  methodSlots->addWidget(IshaFixedOp_P, 1, 0);
  method->addStretch();
  columns->addWidget(Method_G);

  // ---- Imsak
  Imsak_G = new QGroupBox(Text("Imsak", "الإمساك"), this);
  auto* imsak = new QGridLayout(Imsak_G);
  FixedDuration = new QRadioButton(Text("Fixed Duration", "مدة ثابتة"), Imsak_G);
  // The right-to-left mark keeps the closing quote at the end of the Arabic caption.
  Reconcile =
      new QRadioButton(Text("Reconcile \"Eastern\" and \"Middle-Eastern\" Methods",
                            "التوفيق بين الطريقة \"الشرقية\" و\"طريقة الشرق الأوسط\"\u200F"),
                       Imsak_G);
  imsak->addWidget(FixedDuration, 0, 0);
  imsak->addWidget(Reconcile, 1, 0, 1, 2);
  Imsak_P = new QFrame(Imsak_G);
  auto* imsakPanel = new QHBoxLayout(Imsak_P);
  imsakPanel->setContentsMargins(0, 0, 0, 0);
  imsakPanel->addWidget(label(Imsak_P, "Imsak Duration", "مدة الإمساك"));
  auto* imsakEdits = new QWidget(Imsak_P);
  ImsakDurationM = NewEdit(F::ImsakDurationM, imsakEdits);
  ImsakDurationS = NewEdit(F::ImsakDurationS, imsakEdits);
  pairRow(imsakEdits, ImsakDurationM, "Minutes", "دقيقة", ImsakDurationS, "Seconds", "ثانية")
      ->setContentsMargins(0, 0, 0, 0);
  imsakPanel->addWidget(imsakEdits);
  Imsak_P->setSizePolicy(keepSpace);
  imsak->addWidget(Imsak_P, 0, 1);
  imsak->setColumnStretch(1, 1);
  top->addWidget(Imsak_G);
  connect(FixedDuration, &QRadioButton::clicked, this, [this] { FixedDurationClick(true); });
  connect(Reconcile, &QRadioButton::clicked, this, [this] { FixedDurationClick(false); });

  // ---- buttons
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  AcceptBtn = new QPushButton(Text("&Accept", "قبول"), this);
  RestoreBtn = new QPushButton(Text("&Restore", "استرجاع"), this);
  CancelBtn = new QPushButton(Text("&Cancel", "إلغاء"), this);
  for (QPushButton* button : {AcceptBtn, RestoreBtn, CancelBtn}) {
    button->setMinimumWidth(90);
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  AcceptBtn->setDefault(true);
  // Clicking Restore or Cancel leaves the edit being typed in without its check: both discard
  // what was typed, and a refused value must not keep the user from leaving.
  RestoreBtn->setFocusPolicy(Qt::TabFocus);
  CancelBtn->setFocusPolicy(Qt::TabFocus);
  buttons->addStretch();
  top->addLayout(buttons);

  // ---- the user's changes; code that fills the controls sends none of these signals
  connect(DaySaving, &QCheckBox::clicked, this, [this] { DaySavingClick(); });
  connect(AfricanZuhr, &QCheckBox::clicked, this, [this] { AfricanZuhrClick(); });
  connect(HanafiMethod, &QCheckBox::clicked, this, [this] { HanafiMethodClick(); });
  connect(Northern, &QComboBox::activated, this, [this] { NorthernChange(); });
  connect(GMT, &QComboBox::activated, this, [this] { GMTChange(); });
  connect(Western, &QComboBox::activated, this, [this] { WesternChange(); });
  connect(AcceptBtn, &QPushButton::clicked, this, [this] { AcceptBtnClick(); });
  connect(RestoreBtn, &QPushButton::clicked, this, [this] { RestoreBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
}

std::array<QRadioButton*, 5> TChangeLocation::MethodRadios() const {
  return {EasternRadio, MiddleEasternRadio, FixedRadio, YourRadio, SaudiRadio};
}

void TChangeLocation::ShowHints() {
  for (int i = 0; i < kChangeLocationFieldCount; ++i)
    edits_[static_cast<std::size_t>(i)]->setToolTip(
        QString::fromUtf8(FieldHint(static_cast<ChangeLocationField>(i))));
  const auto hint = [](QWidget* widget, const char* text) {
    widget->setToolTip(QString::fromUtf8(text));
  };
  hint(EasternRadio, "الطريقة الشرقية: الفجر والعشاء عند انخفاض الشمس 18 درجة تحت الأفق");
  hint(MiddleEasternRadio,
       "طريقة الشرق الأوسط: الفجر عند انخفاض الشمس 19.5 درجة تحت الأفق، والعشاء عند 18 درجة");
  hint(FixedRadio, "توقيت ثابت: الفجر قبل الشروق والعشاء بعد الغروب بمدتين ثابتتين تحددهما أنت");
  hint(YourRadio,
       "طريقتك: الفجر والعشاء عند زاويتين لانخفاض الشمس تحت الأفق تحددهما أنت، بين 15 و 20 درجة");
  hint(SaudiRadio,
       "الطريقة السعودية: الفجر عند زاوية لانخفاض الشمس تحددها أنت، والعشاء بعد الغروب بمدة ثابتة "
       "(ساعتان في رمضان)");
  hint(FixedDuration, "الإمساك قبل الفجر بمدة ثابتة تحددها أنت");
  hint(Reconcile,
       "الإمساك عند انخفاض الشمس 19.5 درجة والفجر عند 18 درجة، ولا يكون إلا مع الطريقة الشرقية "
       "وطريقة الشرق الأوسط");
  hint(AcceptBtn, "حفظ التعديلات وإغلاق النافذة");
  hint(RestoreBtn, "استرجاع المعلومات المحفوظة لهذا الموقع");
  hint(CancelBtn, "إغلاق النافذة دون حفظ التعديلات");
}

void TChangeLocation::ShowForm() {
  const ChangeLocationModel& f = model_;
  SetTextIfChanged(City, ToQString(f.Title()));
  for (int i = 0; i < kChangeLocationFieldCount; ++i) {
    SetTextIfChanged(edits_[static_cast<std::size_t>(i)],
                     ToQString(f.Text(static_cast<ChangeLocationField>(i))));
  }
  Northern->setCurrentIndex(f.NorthernItem());
  GMT->setCurrentIndex(f.ZoneItem());
  Western->setCurrentIndex(f.WesternItem());
  DaySaving->setChecked(f.DaySaving());
  DaySaving_P->setVisible(f.DaySaving());

  const auto radios = MethodRadios();
  if (f.Method() < 0) {
    for (QRadioButton* radio : radios) {
      radio->setAutoExclusive(false);
      radio->setChecked(false);
      radio->setAutoExclusive(true);
    }
  } else {
    radios[static_cast<std::size_t>(f.Method())]->setChecked(true);
  }
  const MethodPanels& p = f.Panels();
  YourFajr_P->setVisible(p.fajrAngle);
  YourIsha_P->setVisible(p.ishaAngle);
  FajrFixedOp_P->setVisible(p.fixedFajr);
  IshaFixedOp_P->setVisible(p.fixedIsha);
  FajrInclinationD->setEnabled(p.fajrAngleEdits);
  FajrInclinationM->setEnabled(p.fajrAngleEdits);
  IshaInclinationD->setEnabled(p.ishaAngleEdits);
  IshaInclinationM->setEnabled(p.ishaAngleEdits);

  AfricanZuhr->setChecked(f.AfricanZuhr());
  African_P->setVisible(f.AfricanZuhr());
  HanafiMethod->setChecked(f.HanafiMethod());
  Reconcile->setEnabled(p.reconcile);
  (f.FixedDuration() ? FixedDuration : Reconcile)->setChecked(true);
  Imsak_P->setVisible(f.FixedDuration());
  RestoreBtn->setEnabled(f.Modified());
}

void TChangeLocation::LoadLocation() {
  model_.LoadLocation(context_.Locations->GetItem(locationIndex_).Rec);
  ShowForm();
}

void TChangeLocation::StoreEdits(const TLocationRec& rec) {
  context_.Locations->SetItem(locationIndex_, rec);
  model_.Stored(rec);
  ShowForm();
}

void TChangeLocation::NumOnly(ChangeLocationField field) {
  model_.NumOnly(field, ToUtf8(Edit(field)->text()));
  ShowForm();
}

void TChangeLocation::FieldExit(ChangeLocationField field) {
  if (inExit_)
    return;
  const std::optional<ChangeLocationError> error = model_.Exit(field);
  ShowForm();
  if (error) {
    inExit_ = true;
    ShowMessage(error->message);
    inExit_ = false;
    FocusLater(field);
  }
}

void TChangeLocation::FocusLater(ChangeLocationField field) {
  QPointer<QLineEdit> edit = Edit(field);
  QTimer::singleShot(0, this, [this, edit] {
    if (!edit)
      return;
    refocusing_ = true;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    refocusing_ = false;
  });
}

void TChangeLocation::DaySavingClick() {
  model_.DaySavingClick(DaySaving->isChecked());
  ShowForm();
}

void TChangeLocation::AfricanZuhrClick() {
  model_.AfricanZuhrClick(AfricanZuhr->isChecked());
  ShowForm();
}

void TChangeLocation::FixedDurationClick(bool fixedDuration) {
  model_.FixedDurationClick(fixedDuration);
  ShowForm();
}

void TChangeLocation::HanafiMethodClick() {
  model_.HanafiMethodClick(HanafiMethod->isChecked());
  ShowForm();
}

void TChangeLocation::NorthernChange() {
  model_.NorthernChange(Northern->currentIndex());
  ShowForm();
}

void TChangeLocation::WesternChange() {
  model_.WesternChange(Western->currentIndex());
  ShowForm();
}

void TChangeLocation::GMTChange() {
  model_.GMTChange(GMT->currentIndex());
  ShowForm();
}

void TChangeLocation::FajrIshaOptionsChange() {
  const auto radios = MethodRadios();
  for (std::size_t m = 0; m < radios.size(); ++m) {
    if (radios[m]->isChecked())
      model_.MethodClick(static_cast<int>(m));
  }
  ShowForm();
}

void TChangeLocation::AcceptBtnClick() {
  const int year = DecodeDate(context_.Today).Year;
  const NameLists& names = context_.Names;
  const MonthCaptionContext days{context_.HijriMode && context_.HijriMode(),
                                 context_.Lang,
                                 year,
                                 context_.Engine.HijriAdjust,
                                 names.AMonths,
                                 names.EMonths,
                                 names.AHMonths,
                                 names.EHMonths};
  inExit_ = true;  // the checks below report for every edit; the edits' own exits stay quiet
  ChangeLocationAcceptance result = model_.Accept(year, context_.Engine, days);
  ShowForm();
  if (result.error) {
    ShowMessage(result.error->message);
    inExit_ = false;
    FocusLater(result.error->field);
    return;
  }
  track_ = result.track;
  if (!result.conflictText.empty())
    ShowMessage(result.conflictText);
  inExit_ = false;
  if (result.store)
    StoreEdits(result.record);
  accept();
}

void TChangeLocation::RestoreBtnClick() {
  if (AskYes(Arabic() ? "هل تريد بالتأكيد استرجاع المعلومات المتعلقة بهذا الموقع؟"
                      : "Restore the information for to this location?"))
    LoadLocation();
}

void TChangeLocation::CancelBtnClick() {
  if (model_.Modified() &&
      !AskYes(Arabic() ? "هل تريد بالتأكيد إلغاء التعديلات  المتعلقة بهذا الموقع؟"
                       : "Are you sure you want to delete the changes related to this location?"))
    return;
  QDialog::reject();
}

void TChangeLocation::reject() {
  CancelBtnClick();
}

void TChangeLocation::ShowMessage(const std::string& text) {
  if (context_.ShowKQMessage)
    context_.ShowKQMessage(text);
}

bool TChangeLocation::AskYes(const std::string& text) {
  if (!context_.AskYesNoMessage)
    return true;
  const bool wasInExit = inExit_;
  inExit_ = true;
  const bool yes = context_.AskYesNoMessage(text) == kResultYes;
  inExit_ = wasInExit;
  return yes;
}

bool TChangeLocation::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && !refocusing_ && !inExit_) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    for (int i = 0; i < kChangeLocationFieldCount; ++i) {
      if (watched == edits_[static_cast<std::size_t>(i)] && LeavesTheEdit(reason)) {
        FieldExit(static_cast<ChangeLocationField>(i));
        break;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TChangeLocation::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous())
    return;
  // Centred on the opener, or on the screen without one.
  const QRect area = parentWidget() ? parentWidget()->window()->frameGeometry()
                     : screen()     ? screen()->availableGeometry()
                                    : QRect();
  if (area.isValid())
    move(area.center() - rect().center());
}

}  // namespace vek
