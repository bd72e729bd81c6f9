// The change-location dialog: edits every calculation option of one stored location. One form for
// both languages; the Arabic one reads right to left and carries hints. What the form decides
// (record to form and back, the time zones, the method rule, the validators, Accept's checks and
// high-latitude scan) is ChangeLocationModel; this class shows that state and hands it the user's
// actions. Controls filled by code never run the user's handlers.
#pragma once

#include <QDialog>

#include <array>
#include <string>

#include "engine/trackers.h"
#include "locations/dialogs/change_location_model.h"
#include "locations/dialogs/dialog_context.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vek {

class TChangeLocation : public QDialog {
  Q_OBJECT

 public:
  // Edits location index of context.Locations (CreateForLocation). Nothing reaches the list
  // before Accept. After an accepted dialog the opener saves the list and the settings (it also
  // scans the current location again).
  TChangeLocation(const LocationDialogContext& context, int index, QWidget* parent = nullptr);

  int LocationIndex() const { return locationIndex_; }
  bool Modified() const { return model_.Modified(); }
  const ChangeLocationModel& Model() const { return model_; }
  // The high-latitude scan of the record the last Accept stored (the edited record).
  const Trackers& Track() const { return track_; }
  QLineEdit* Edit(ChangeLocationField field) const {
    return edits_[static_cast<std::size_t>(field)];
  }

  // ---- handlers
  // Builds and captions the controls in the form's language, then loads the location.
  void FormCreate();
  // The stored record into the controls; not modified.
  void LoadLocation();
  // The edited record into the list; not modified.
  void StoreEdits(const TLocationRec& rec);
  // Text typed into a numeric edit.
  void NumOnly(ChangeLocationField field);
  // The exit validator of a numeric edit: a value out of range shows its message and puts the
  // focus back into the edit.
  void FieldExit(ChangeLocationField field);
  void DaySavingClick();
  void AfricanZuhrClick();
  void FixedDurationClick(bool fixedDuration);  // Fixed Duration or Reconcile clicked
  void HanafiMethodClick();
  void NorthernChange();
  void WesternChange();
  void GMTChange();
  void FajrIshaOptionsChange();  // a method radio clicked
  void AcceptBtnClick();
  void RestoreBtnClick();
  void CancelBtnClick();
  // Escape runs Cancel.
  void reject() override;

  // ---- controls
  QLabel* City;
  QGroupBox* Position_G;
  QLineEdit* LongDeg;
  QLineEdit* LongMin;
  QLineEdit* LatDeg;
  QLineEdit* LatMin;
  QComboBox* Northern;
  QComboBox* GMT;
  QLineEdit* St_LongDeg;  // hidden
  QComboBox* Western;     // hidden
  QCheckBox* DaySaving;
  QFrame* DaySaving_P;
  QLineEdit* DaySavingFrom;
  QLineEdit* MonthSavingFrom;
  QLineEdit* DaySavingTo;
  QLineEdit* MonthSavingTo;
  QGroupBox* Method_G;
  QRadioButton* EasternRadio;
  QRadioButton* MiddleEasternRadio;
  QRadioButton* FixedRadio;
  QRadioButton* YourRadio;
  QRadioButton* SaudiRadio;
  QGroupBox* YourFajr_P;
  QLineEdit* FajrInclinationD;
  QLineEdit* FajrInclinationM;
  QGroupBox* YourIsha_P;
  QLineEdit* IshaInclinationD;
  QLineEdit* IshaInclinationM;
  QGroupBox* FajrFixedOp_P;
  QLineEdit* FajrOffsetH;
  QLineEdit* FajrOffsetM;
  QGroupBox* IshaFixedOp_P;
  QLineEdit* IshaOffsetH;
  QLineEdit* IshaOffsetM;
  QGroupBox* Zuhr_G;
  QCheckBox* AfricanZuhr;
  QFrame* African_P;
  QLineEdit* AfricanDelayH;
  QLineEdit* AfricanDelayM;
  QGroupBox* Asr_G;
  QCheckBox* HanafiMethod;
  QGroupBox* Imsak_G;
  QRadioButton* FixedDuration;
  QRadioButton* Reconcile;
  QFrame* Imsak_P;
  QLineEdit* ImsakDurationM;
  QLineEdit* ImsakDurationS;
  QPushButton* AcceptBtn;
  QPushButton* RestoreBtn;
  QPushButton* CancelBtn;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void ShowHints();
  // The caption of the form's language.
  QString Text(const char* english, const char* arabic) const;
  QLineEdit* NewEdit(ChangeLocationField field, QWidget* parent);
  // The form's state into the controls.
  void ShowForm();
  void ShowMessage(const std::string& text);
  bool AskYes(const std::string& text);
  void FocusLater(ChangeLocationField field);
  std::array<QRadioButton*, 5> MethodRadios() const;
  bool Arabic() const { return context_.Lang == Language::Arabic; }

  LocationDialogContext context_;
  int locationIndex_;
  ChangeLocationModel model_;
  Trackers track_;
  std::array<QLineEdit*, kChangeLocationFieldCount> edits_{};
  bool inExit_ = false;      // a validator is showing its message
  bool refocusing_ = false;  // the focus goes back into a refused edit
};

}  // namespace vek
