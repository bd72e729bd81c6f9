#include "program/dialogs/month_names_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

#include "foundation/qt/eliding_label.h"
#include "foundation/qt/qt_strings.h"
#include "program/dialogs/ok_cancel_row.h"

namespace vek {

namespace {

constexpr Qt::WindowFlags kDialogBorder =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

}  // namespace

TNameUpDown::TNameUpDown(int count, QWidget* parent) : QSpinBox(parent) {
  setRange(0, count - 1);
  setWrapping(false);
  setAlignment(Qt::AlignCenter);
  setMinimumWidth(56);
}

QString TNameUpDown::textFromValue(int value) const {
  return QString::number(value + 1);
}

int TNameUpDown::valueFromText(const QString& text) const {
  return text.toInt() - 1;
}

TMonthsDlg::TMonthsDlg(SettingsDialogContext context, const NameLists& names, QWidget* parent)
    : QDialog(parent, kDialogBorder),
      context_(context),
      names_(names),
      model_(names, context.lang) {
  const Language lang = context_.lang;
  setObjectName("TMonthsDlg");
  setWindowTitle(QByLanguage(lang, "Change Months Names", "تغيير أسماء الشهور"));
  setLayoutDirection(LayoutDirectionOf(lang));

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QByLanguage(lang, "Current name", "الاسم الحالي")), 0, 2);
  grid->addWidget(new QLabel(QByLanguage(lang, "New name", "الاسم الجديد")), 0, 3);
  const char* const english[] = {"Hijri month", "Gregorian month", "Day"};
  const char* const arabicTitles[] = {"الشهر الهجري", "الشهر الميلادي", "اليوم"};
  for (int row = 0; row < kMonthNamesRows; ++row) {
    grid->addWidget(new QLabel(QByLanguage(lang, english[row], arabicTitles[row])), row + 1, 0);
    UpDown[row] = new TNameUpDown(model_.Count(row));
    UpDown[row]->setToolTip(QByLanguage(lang, "Next or previous name", "الاسم التالي أو السابق"));
    // A long stored name never widens the dialog; one of the longest allowed shows whole.
    CurrentText[row] = new ElidingLabel;
    CurrentText[row]->setMinimumWidth(
        std::max(130, CurrentText[row]->fontMetrics().averageCharWidth() *
                          static_cast<int>(kMaxMonthOrDayNameChars)));
    Edit[row] = new QLineEdit;
    Edit[row]->setMinimumWidth(150);
    Edit[row]->setToolTip(QByLanguage(lang, "Type the new name here", "اكتب الاسم الجديد هنا"));
    grid->addWidget(UpDown[row], row + 1, 1);
    grid->addWidget(CurrentText[row], row + 1, 2);
    grid->addWidget(Edit[row], row + 1, 3);
    ShowRow(row);
    connect(UpDown[row], &QSpinBox::valueChanged, this,
            [this, row](int position) { UpDownClick(row, position); });
  }

  const OkCancelRow okCancel = MakeOkCancelRow(*this, lang);
  OKBtn = okCancel.OK;
  CancelBtn = okCancel.Cancel;
  connect(OKBtn, &QPushButton::clicked, this, &TMonthsDlg::OKBtnClick);
  QHBoxLayout* buttons = okCancel.Row;

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TMonthsDlg::ShowRow(int row) {
  const QString name = ToQString(model_.Name(row));
  CurrentText[row]->setText(name);
  Edit[row]->setText(name);
  const QSignalBlocker quiet(UpDown[row]);
  UpDown[row]->setValue(model_.Index(row));
}

void TMonthsDlg::Refuse(NameCheck check, int row) {
  if (context_.ui)
    context_.ui->ShowMessage(NameRefusalText(check, ToUtf8(Edit[row]->text()), context_.lang));
  Edit[row]->setFocus();
  Edit[row]->selectAll();
}

void TMonthsDlg::UpDownClick(int row, int position) {
  if (position == model_.Index(row))
    return;
  const NameCheck check = model_.Step(row, position, ToUtf8(Edit[row]->text()));
  if (check != NameCheck::Ok) {
    const QSignalBlocker quiet(UpDown[row]);
    UpDown[row]->setValue(model_.Index(row));
    Refuse(check, row);
    return;
  }
  ShowRow(row);
}

void TMonthsDlg::OKBtnClick() {
  std::array<std::string, kMonthNamesRows> typed;
  for (int row = 0; row < kMonthNamesRows; ++row)
    typed[row] = ToUtf8(Edit[row]->text());
  int refusedRow = -1;
  if (const NameCheck check = model_.StoreEdits(typed, refusedRow); check != NameCheck::Ok) {
    Refuse(check, refusedRow);
    return;
  }
  model_.CopyTo(names_);
  accept();
}

}  // namespace vek
