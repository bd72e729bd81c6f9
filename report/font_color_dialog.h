// The font dialog of the page designs: Qt's font chooser with the sixteen named colours that a
// design's font carries beside its face, size and styles.
#pragma once

#include <QDialog>

#include <optional>

#include "foundation/language.h"
#include "foundation/qt/modal_runner.h"
#include "program/settings_converters.h"

class QComboBox;
class QFontDialog;
class QPushButton;

namespace vek {

class TFontColorDlg : public QDialog {
  Q_OBJECT

 public:
  TFontColorDlg(const FontSpec& font, Language lang, QWidget* parent = nullptr);

  // The font as chosen: a face that the user left as it was keeps the design's name for it.
  FontSpec Chosen() const;

  QFontDialog* Fonts = nullptr;
  QComboBox* ColorCombo = nullptr;
  QPushButton* OkBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

 private:
  FontSpec original_;
};

// Shows the dialog; the chosen font, or nothing when cancelled.
std::optional<FontSpec> ChooseFontDialog(const FontSpec& font, Language lang, QWidget* parent,
                                         const ModalRunner& runModal = {});

}  // namespace vek
