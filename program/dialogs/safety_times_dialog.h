// The safety-times dialog TSaftyTimesDlg: six lists of minutes (Fajr, Shuruq, Zuhr, Asr,
// Maghrib, Isha) that the engine adds to every location's computed times. The dialog changes
// nothing itself; after OK the opener takes Offsets().
#pragma once

#include <QDialog>

#include <array>

#include "engine/prayer_times.h"
#include "program/dialogs/safety_times_model.h"
#include "program/dialogs/settings_dialog_context.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vek {

class TSaftyTimesDlg : public QDialog {
  Q_OBJECT

 public:
  // The lists show offsets.
  TSaftyTimesDlg(SettingsDialogContext context, const SafetyOffsets& offsets,
                 QWidget* parent = nullptr);

  // OK: each offset takes its list's entry.
  void OKBtnClick();
  // The given offsets, and after OK the chosen ones.
  const SafetyOffsets& Offsets() const { return offsets_; }
  bool ShowHint() const { return context_.showHint; }

  std::array<QComboBox*, kSafetyLists> Combos{};  // in SafetyList order
  QLabel* Note;
  QPlainTextEdit* Explanation;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

 private:
  SettingsDialogContext context_;
  SafetyOffsets offsets_;
};

}  // namespace vek
