// The Hijri adjustment dialog THijriAdjust ("Adjust Hijri Date"): the user picks the Hijri date
// today should have from seven dates, adjustments -3 to +3 days. The dialog changes nothing
// itself; after OK the opener takes Adjust().
#pragma once

#include <QDialog>

#include "program/dialogs/settings_dialog_context.h"
#include "program/settings.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace vek {

class THijriAdjust : public QDialog {
  Q_OBJECT

 public:
  // The dates are today's with each adjustment, in the names of the language; the entry of
  // currentAdjust is selected.
  THijriAdjust(SettingsDialogContext context, double today, const NameLists& names,
               int currentAdjust, QWidget* parent = nullptr);

  // The adjustment of the selected entry (currentAdjust when none is selected).
  int Adjust() const;
  bool ShowHint() const { return context_.showHint; }

  QLabel* Label;
  QComboBox* HijriDates;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

 private:
  SettingsDialogContext context_;
  int currentAdjust_;
};

}  // namespace vek
