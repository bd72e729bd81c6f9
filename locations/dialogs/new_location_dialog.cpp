#include "locations/dialogs/new_location_dialog.h"

namespace vek {

TNewLocation::TNewLocation(const LocationDialogContext&, QWidget* parent) : QDialog(parent) {}

bool TNewLocation::Execute(int, std::string&, bool&, std::string&, std::string&) { return false; }

}  // namespace vek
