#include "calendar/range_selector.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <functional>

#include "foundation/qt/qt_strings.h"

namespace vek {

// An up-down whose panel shows a text of the model instead of the number.
class TMonthYearSelect::NameSpinBox : public QSpinBox {
 public:
  explicit NameSpinBox(std::function<QString()> caption) : caption_(std::move(caption)) {
    lineEdit()->setReadOnly(true);
    setAlignment(Qt::AlignCenter);
  }
  QString textFromValue(int) const override { return caption_(); }
  int valueFromText(const QString&) const override { return value(); }
  QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }
  // Refreshes the shown text after the model changed.
  void Refresh() { lineEdit()->setText(caption_()); }

 private:
  std::function<QString()> caption_;
};

TMonthYearSelect::TMonthYearSelect(RangeSelectorContext context, QWidget* parent)
    : QDialog(parent), model_(std::make_unique<RangeSelectorModel>(std::move(context))) {
  setObjectName("TMonthYearSelect");
  const RangeSelectorContext& c = model_->Context();
  const Language lang = c.Lang;
  const bool arabic = lang == Language::Arabic;
  setLayoutDirection(LayoutDirectionOf(lang));
  setWindowTitle(QByLanguage(lang, "Select Report Range", "تحديد مجال التقرير"));

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(10, 10, 10, 10);
  Panel = new QGroupBox(QByLanguage(lang, "Calculate Zurivo Zazir for", "عرض أوقات الصلاة"));
  auto* grid = new QVBoxLayout(Panel);
  MonthRadio = new QRadioButton(QByLanguage(lang, "One Month", "لشهر"));
  YearRadio = new QRadioButton(QByLanguage(lang, "One Year", "لسنه"));
  auto* month = new NameSpinBox([this] { return ToQString(model_->MonthCaption()); });
  auto* year = new NameSpinBox([this] { return ToQString(model_->YearCaption()); });
  MonthUpDown = month;
  YearUpDown = year;
  MonthUpDown->setObjectName("MonthUpDown");
  YearUpDown->setObjectName("YearUpDown");
  MonthUpDown->setRange(1, 12);
  const RangeYears limits = model_->YearLimits();
  YearUpDown->setRange(limits.First, limits.Last);
  MonthUpDown->setMinimumWidth(150);
  const auto row = [&](QRadioButton* radio, QSpinBox* upDown) {
    auto* line = new QHBoxLayout;
    line->addWidget(radio);
    line->addStretch(1);
    line->addWidget(upDown);
    grid->addLayout(line);
  };
  row(MonthRadio, MonthUpDown);
  row(YearRadio, YearUpDown);
  outer->addWidget(Panel);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  OkBtn = new QPushButton(QByLanguage(lang, "OK", "موافق"));
  OkBtn->setDefault(true);
  buttons->addWidget(OkBtn);
  if (arabic) {
    CancelBtn = new QPushButton(QString::fromUtf8("إلغاء"));
    buttons->addWidget(CancelBtn);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  }
  outer->addLayout(buttons);

  connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(MonthRadio, &QRadioButton::toggled, this, [this] { RadioClick(); });
  connect(MonthUpDown, &QSpinBox::valueChanged, this, [this](int v) { MonthUpDownClick(v); });
  connect(YearUpDown, &QSpinBox::valueChanged, this, [this](int v) { YearUpDownClick(v); });
  SetRangeKind(model_->RangeKind());
}

TMonthYearSelect::~TMonthYearSelect() = default;

void TMonthYearSelect::SetRangeKind(ReportKind kind) {
  model_->SetRangeKind(kind);
  const QSignalBlocker blockMonth(MonthRadio), blockYear(YearRadio), blockUpMonth(MonthUpDown),
      blockUpYear(YearUpDown);
  (kind == ReportKind::Month ? MonthRadio : YearRadio)->setChecked(true);
  MonthUpDown->setValue(model_->RangeMonth());
  YearUpDown->setValue(model_->RangeYear());
  RefreshCaptions();
}

void TMonthYearSelect::RadioClick() {
  model_->SetRangeKind(MonthRadio->isChecked() ? ReportKind::Month : ReportKind::Year);
  RefreshCaptions();
}

void TMonthYearSelect::MonthUpDownClick(int position) {
  model_->SetRangeMonth(position);
  RefreshCaptions();
}

void TMonthYearSelect::YearUpDownClick(int position) {
  model_->SetRangeYear(position);
  RefreshCaptions();
}

void TMonthYearSelect::RefreshCaptions() {
  MonthUpDown->setEnabled(model_->MonthEnabled());
  static_cast<NameSpinBox*>(MonthUpDown)->Refresh();
  static_cast<NameSpinBox*>(YearUpDown)->Refresh();
}

void TMonthYearSelect::done(int result) {
  model_->Close();
  QDialog::done(result);
}

}  // namespace vek
