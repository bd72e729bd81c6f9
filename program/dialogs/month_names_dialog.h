// The month and day names dialog TMonthsDlg, "Change Months Names": three rows (Hijri month,
// Gregorian month, day) of the user's language, each with an up-down that steps through the
// list, the stored name at that position and an edit box for the new name. OK takes the typed
// names into the lists of the language, which the opener then takes from Names(); Cancel
// discards every edit, also those already kept while stepping.
#pragma once

#include <QDialog>
#include <QSpinBox>

#include <array>

#include "program/dialogs/month_names_model.h"
#include "program/dialogs/settings_dialog_context.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vek {

// The up-down of a row: its position counts from 0 and shows from 1.
class TNameUpDown : public QSpinBox {
  Q_OBJECT

 public:
  explicit TNameUpDown(int count, QWidget* parent = nullptr);

 protected:
  QString textFromValue(int value) const override;
  int valueFromText(const QString& text) const override;
};

class TMonthsDlg : public QDialog {
  Q_OBJECT

 public:
  // The rows start from names.
  TMonthsDlg(SettingsDialogContext context, const NameLists& names, QWidget* parent = nullptr);

  // A row's up-down moved to position.
  void UpDownClick(int row, int position);
  // OK: stores the typed names (a refused one keeps the dialog open with the focus on it) and
  // copies the lists into Names().
  void OKBtnClick();
  // The given names, and after OK the edited ones.
  const NameLists& Names() const { return names_; }
  bool ShowHint() const { return context_.showHint; }
  const MonthNamesModel& Model() const { return model_; }

  // Per row (kHijriRow, kGregorianRow, kDayRow).
  std::array<TNameUpDown*, kMonthNamesRows> UpDown{};
  std::array<QLabel*, kMonthNamesRows> CurrentText{};
  std::array<QLineEdit*, kMonthNamesRows> Edit{};
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

 private:
  void ShowRow(int row);
  void Refuse(NameCheck check, int row);

  SettingsDialogContext context_;
  NameLists names_;
  MonthNamesModel model_;
};

}  // namespace vek
