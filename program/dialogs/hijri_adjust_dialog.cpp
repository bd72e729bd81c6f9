#include "program/dialogs/hijri_adjust_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "foundation/qt/qt_strings.h"
#include "program/dialogs/hijri_adjust_model.h"
#include "program/dialogs/ok_cancel_row.h"

namespace vek {

THijriAdjust::THijriAdjust(SettingsDialogContext context, double today, const NameLists& names,
                           int currentAdjust, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      context_(context),
      currentAdjust_(currentAdjust) {
  const Language lang = context_.lang;
  setObjectName("THijriAdjust");
  setWindowTitle(QByLanguage(lang, "Adjust Hijri Date", "ضبط التاريخ الهجري"));
  setLayoutDirection(LayoutDirectionOf(lang));

  Label = new QLabel(QByLanguage(lang, "Adjust Hijri Date To:", "ضبط التاريخ الهجري إلى"));
  HijriDates = new QComboBox;
  HijriDates->setMinimumWidth(260);
  for (const std::string& entry : HijriAdjustEntries(today, names, lang))
    HijriDates->addItem(ToQString(entry));
  HijriDates->setCurrentIndex(HijriAdjustEntryOf(currentAdjust));

  const OkCancelRow okCancel = MakeOkCancelRow(*this, lang);
  OKBtn = okCancel.OK;
  CancelBtn = okCancel.Cancel;
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  QHBoxLayout* buttons = okCancel.Row;

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label);
  layout->addWidget(HijriDates);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

int THijriAdjust::Adjust() const {
  return HijriAdjustOfEntry(HijriDates->currentIndex(), currentAdjust_);
}

}  // namespace vek
