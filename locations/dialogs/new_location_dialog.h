// The new-location dialog and the one-line new-name prompt behind the New button of the
// location operations dialog.
#pragma once

#include <QDialog>

#include <string>

#include "locations/dialogs/dialog_context.h"

namespace vek {

class TNewLocation : public QDialog {
  Q_OBJECT

 public:
  TNewLocation(const LocationDialogContext& context, QWidget* parent = nullptr);
  // Shows the names of location index; true (with the names of the location to add) unless
  // cancelled.
  bool Execute(int index, std::string& country, bool& isNewCountry, std::string& state,
               std::string& city);
};

}  // namespace vek
