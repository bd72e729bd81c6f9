// The location operations dialog: browses the locations through the country, state and city
// lists, previews today's times of the location shown, and makes it current, edits, adds or
// deletes locations. Every change goes into the context's location list at once; the caller
// saves the file after the dialog has closed.
#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <string>
#include <vector>

#include "locations/dialogs/dialog_context.h"
#include "locations/dialogs/location_combos.h"
#include "locations/dialogs/location_operations_model.h"
#include "locations/dialogs/times_panel.h"

class QFrame;
class QLabel;
class QPushButton;

namespace vek {

class TLocationOperation : public QDialog, public LocationCombos {
  Q_OBJECT

 public:
  // Shows the current location of context.Locations (which it sorts by country). The context
  // is copied; context.Ui asks the delete question.
  explicit TLocationOperation(const LocationDialogContext& context, QWidget* parent = nullptr);

  // The main window pushes its date and time while the dialog is open: the date caption, and
  // the panel of six or seven times by the Ramadan flag.
  void UpdateDateDisplay(const QString& dateText);
  void UpdateClockDisplay();
  // The date button names the calendar that a click switches to.
  void UpdateDateButtonCaption();

  // The handlers of the controls.
  void FormActivate();
  void CountryChange(int index);
  void StateChange(int index);
  void CityChange(int index);
  void SelectBtnClick();
  void EditBtnClick();
  void NewBtnClick();
  void DeleteBtnClick();
  void DateBtnClick();
  // Title and preview of the location shown.
  void LocationsClick();

  const LocationOperationsModel& Model() const { return model_; }

  QLabel* CCity;     // the title: city and country
  QLabel* City_T;    // "Times for city"
  TimesPanel* KQ_P;  // the times; the Imsak row only in Ramadan
  QLabel* Date;
  QLabel* Time;
  QPushButton* DateBtn;
  QPushButton* CloseBtn;
  QPushButton* SelectBtn;
  QPushButton* EditBtn;
  QPushButton* NewBtn;
  QPushButton* DeleteBtn;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The lists, the state list's look and the preview, from the model.
  void ShowSelection();
  void ShowTimesPanel();

  LocationDialogContext context_;
  LocationOperationsModel model_;
};

}  // namespace vek
