// The OK and Cancel buttons that end every settings dialog: at the row's far end, OK the default
// button, Cancel rejecting the dialog. What OK does is the dialog's own.
#pragma once

#include "foundation/language.h"

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace vek {

struct OkCancelRow {
  QPushButton* OK;
  QPushButton* Cancel;
  QHBoxLayout* Row;
};

OkCancelRow MakeOkCancelRow(QDialog& dialog, Language lang);

}  // namespace vek
