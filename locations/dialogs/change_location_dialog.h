// The change-location dialog: edits every calculation option of one stored location.
#pragma once

#include <QDialog>

#include "locations/dialogs/dialog_context.h"

namespace vek {

class TChangeLocation : public QDialog {
  Q_OBJECT

 public:
  // Edits location index of context.Locations (CreateForLocation).
  TChangeLocation(const LocationDialogContext& context, int index, QWidget* parent = nullptr);
};

}  // namespace vek
