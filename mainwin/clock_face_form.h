// The face chooser (TClockFaceForm): the 17 faces as pictures in frames. Clicking a picture
// marks its frame blue and loads that face into the main window's clock at once; the size
// button switches between whole pictures scaled down ("Complete") and the middle of each at its
// actual size ("Detailed"). Shown modally by the main window, which then stores ChosenFace().
#pragma once

#include <QDialog>

#include <array>
#include <filesystem>

#include "foundation/command_line.h"
#include "foundation/language.h"
#include "foundation/resource_pack.h"
#include "foundation/ui_services.h"
#include "resources/clock_face.h"

class QFrame;
class QLabel;
class QPushButton;

namespace vek {

class AnalogClock;

// What the chooser needs from the main window.
struct ClockFaceFormContext {
  Language lang = Language::English;
  int currentIndex = 0;  // ClockFaceIndex, marked when the form opens
  // The main window's clock, which a click loads the face into (LoadClockFace).
  AnalogClock* clock = nullptr;
  std::filesystem::path programFolder;  // where the chosen face is unpacked for the clock
  // Where the pictures of the chooser are unpacked (the program's temporary folder), so that
  // only the chosen face is left in the program folder; the program folder when empty.
  std::filesystem::path previewFolder;
  const ResourceModule* module = nullptr;  // the face packs
  UiServices* ui = nullptr;                // reports faces that cannot be unpacked
  CommandLineSwitches switches;            // the run's: IGNOREBMP and DEBUGVEK
};

class TClockFaceForm : public QDialog {
  Q_OBJECT

 public:
  // Each picture box is this many pixels square.
  static constexpr int kImagePixels = 100;

  explicit TClockFaceForm(ClockFaceFormContext context, QWidget* parent = nullptr);

  // Fills the boxes with the faces' pictures on the standard colour, toggles the view mode once
  // (to whole pictures) and marks the current face; runs when the form is first shown.
  void FormActivate();
  // Whole pictures scaled down ("Complete") or their middles at actual size ("Detailed").
  void Size_ButtonClick();
  // A click on the picture with tag 1..17 (face 0..16).
  void ImageClick(int tag);

  bool Stretched() const { return stretched_; }
  // The face whose frame is marked, or -1.
  int MarkedIndex() const { return marked_; }
  // The face last clicked (and loaded into the clock), or -1 when none was.
  int ChosenFace() const { return chosen_; }

  std::array<QLabel*, kClockFaceCount> Images{};
  std::array<QFrame*, kClockFaceCount> Frames{};
  QPushButton* Size_Button = nullptr;
  QPushButton* Close_Button = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowPictures();
  void MarkFrame(int index);

  ClockFaceFormContext context_;
  std::array<QImage, kClockFaceCount> pictures_;
  bool activated_ = false;
  bool stretched_ = false;
  int marked_ = -1;
  int chosen_ = -1;
};

}  // namespace vek
