// The new-location dialog and the one-line new-name prompt behind the New button of the
// location operations dialog.
#pragma once

#include <QDialog>

#include <functional>
#include <string>

#include "foundation/language.h"
#include "foundation/qt/modal_runner.h"
#include "locations/dialogs/dialog_context.h"
#include "locations/dialogs/location_combos.h"
#include "locations/dialogs/new_location_model.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vek {

// The prompt for one new name. Its OK button can be pressed only while the edit holds text.
class TNewName : public QDialog {
  Q_OBJECT

 public:
  explicit TNewName(Language lang, QWidget* parent = nullptr);

  // Shows prompt above an empty edit, modally through runModal; the edit's text after OK,
  // otherwise the empty text.
  std::string Execute(const std::string& prompt, const ModalRunner& runModal);
  // What Execute does before showing the dialog: the prompt shown, the edit emptied.
  void Prepare(const std::string& prompt);
  // The OK button follows the edit: enabled exactly while it is not empty.
  void NameChange();

  QLabel* Msg;
  QLineEdit* Text;
  QPushButton* OK;
  QPushButton* CancelBtn;
};

// Lets the user pick an existing country (and US state) and type a new city, or type a new
// country and then a new city; gives back the names of the location to add.
class TNewLocation : public QDialog, public LocationCombos {
  Q_OBJECT

 public:
  TNewLocation(const LocationDialogContext& context, QWidget* parent = nullptr);

  // Shows the names of location index; true (with the names of the location to add) unless
  // cancelled, when the outputs are left as they were.
  bool Execute(int index, std::string& country, bool& isNewCountry, std::string& state,
               std::string& city);
  // The start of every showing (Execute runs it): no new country and no new city, the lists
  // showing location index.
  void Reset(int index);

  // The handlers of the controls.
  void CountryChange(int index);
  void StateChange(int index);
  void CityChange(int index);
  void NewCountryBtnClick();
  void NewCityBtnClick();
  void UpdateButtons();

  const NewLocationModel& Model() const { return model_; }

  // Asks for a new name with the prompt given; by default TNewName in the context's language.
  std::function<std::string(const std::string& prompt)> AskNewName;

  QPushButton* NewCountryBtn;
  QPushButton* NewCityBtn;
  QPushButton* AddBtn;
  QPushButton* CancelBtn;

 private:
  // The lists and the state list's look, from the model.
  void ShowSelection();

  LocationDialogContext context_;
  NewLocationModel model_;
};

}  // namespace vek
