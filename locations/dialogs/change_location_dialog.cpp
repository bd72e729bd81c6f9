#include "locations/dialogs/change_location_dialog.h"

namespace vek {

TChangeLocation::TChangeLocation(const LocationDialogContext&, int, QWidget* parent)
    : QDialog(parent) {}

}  // namespace vek
