#include "mainwin/main_window.h"
#include "program/server_addresses.h"
#include "sounds/sound_trigger.h"

#include <QFrame>
#include <QMenuBar>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "foundation/program_temp_folder.h"
#include "foundation/qt/qt_strings.h"
#include "liveupdate/internet_services.h"
#include "locations/dialogs/change_location_dialog.h"
#include "locations/dialogs/location_operations_dialog.h"
#include "locations/dialogs/select_location_dialog.h"
#include "locations/dialogs/session_dialog_context.h"
#include "mainwin/analog_clock.h"
#include "mainwin/clock_face_form.h"
#include "mainwin/clock_face_loader.h"
#include "resources/clock_face.h"
namespace vek {

namespace {

namespace fs = std::filesystem;

QString Q(const std::string& s) {
  return ToQString(s);
}

using LocationEdit = ProgramSession::LocationEdit;

// Runs a location dialog whose date and clock panel follows the main window's while it is open.
template <class Dialog>
void ExecWithLivePanel(ProgramSession& session, const ModalRunner& runModal, Dialog& dialog) {
  ProgramSession::Subscription live(session, [&session, &dialog](SessionChange change) {
    if (change == SessionChange::Minute)
      dialog.UpdateClockDisplay();
    else if (change == SessionChange::Day || change == SessionChange::DateKind)
      dialog.UpdateDateDisplay(Q(session.DateCaptionText()));
  });
  RunModal(runModal, dialog);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Commands

void TVEK__MAIN::ExitBtnClick() {
  close();
}

void TVEK__MAIN::LanguageBtnClick() {
  session_->SetLanguage(Arabic() ? Language::English : Language::Arabic);
}

void TVEK__MAIN::AzanSoundBtnClick() {
  AfterSoundCommand(trigger_->AzanSoundBtnClick());
}

void TVEK__MAIN::OvcClock1MouseDown(Qt::MouseButton button) {
  const int index = Settings().ClockFaceIndex;
  LoadFace(button == Qt::LeftButton ? NextFace(index) : PreviousFace(index));
}

void TVEK__MAIN::ChangeClockSizeOnMouseDown() {
  session_->SetClockSize((Settings().ClockSizeIndex + 1) % 3);
  ApplyClockSize();
}

void TVEK__MAIN::ApplyClockSize() {
  const int size = std::clamp(Settings().ClockSizeIndex, 0, 2);
  W.OvcClock1->SetClockSize(size);
}

void TVEK__MAIN::ClockBackGroundClick() {
  session_->SetClockWhite(!Settings().ClockWhite);
  ApplyClockBackground();
}

void TVEK__MAIN::ApplyClockBackground() {
  const bool white = Settings().ClockWhite;
  W.OvcClock1->SetWhiteBackground(white);
  auto* panel = static_cast<QFrame*>(W._OuterClockPanel);
  panel->setFrameStyle(white ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
  panel->setStyleSheet(white ? "#_OuterClockPanel { background: white; }" : "");
}

void TVEK__MAIN::ColorsSpeedButtonMouseDown(Qt::MouseButton button) {
  const int index = Settings().HandsColorIndex;
  session_->SetHandsColor(button == Qt::LeftButton ? NextHandColor(index)
                                                   : PreviousHandColor(index));
  ApplyHandColors();
}

void TVEK__MAIN::ApplyHandColors() {
  ApplyHandColorSet(*W.OvcClock1, Settings().HandsColorIndex);
}

void TVEK__MAIN::Button1Click() {
  ShowHandOverFailure(
      RunTesterFtpDownload({std::string(kTesterFtpHost), 0, std::string(kTesterFtpPassword)},
                           Context().ThisPath, sys_.fs, sys_.launcher),
      Settings().Lang, *ui_);
}

void TVEK__MAIN::SelectFaceClick() {
  if (options_.facePacks == nullptr)
    return;
  ClockFaceFormContext context;
  context.lang = Settings().Lang;
  context.currentIndex = Settings().ClockFaceIndex;
  context.clock = W.OvcClock1;
  context.programFolder = Context().ThisPath;
  // The 17 pictures are unpacked into a folder of their own in the program's temporary folder,
  // removed when the chooser closes.
  std::error_code ec;
  if (const fs::path& temp = ProgramTempFolderPath(); !temp.empty()) {
    context.previewFolder = temp / "clock-faces";
    fs::create_directories(context.previewFolder, ec);
    if (ec)
      context.previewFolder.clear();
  }
  const fs::path previews = context.previewFolder;
  context.module = options_.facePacks;
  context.ui = ui_.get();
  context.switches = session_->CommandLine();
  TClockFaceForm form(std::move(context), this);
  ShowModal(form);
  if (!previews.empty())
    fs::remove_all(previews, ec);
  // The clock shows the face chosen last already.
  if (form.ChosenFace() >= 0)
    session_->SetClockFace(form.ChosenFace());
}

// ---------------------------------------------------------------------------------------------
// Locations

void TVEK__MAIN::BuildLocationMenu() {
  W.LocationMenu = menuBar()->addMenu(QString());
  W.SelectItem = W.LocationMenu->addAction(QString(), this, [this] { SelectClick(); });
  W.EditItem = W.LocationMenu->addAction(QString(), this, [this] { EditClick(); });
  W.OperationsItem = W.LocationMenu->addAction(QString(), this, [this] { OperationsClick(); });
}

void TVEK__MAIN::CaptionLocationMenu() {
  W.LocationMenu->setTitle(Q(Text("&Location", "ال&موقع")));
  W.SelectItem->setText(Q(Text("&Select Location...", "ا&ختيار موقع...")));
  W.EditItem->setText(Q(Text("&Edit current location...", "&تعديل الموقع الحالي...")));
  W.OperationsItem->setText(Q(Text("Location &operations...", "&عمليات المواقع...")));
  const bool any = session_->HasCurrentLocation();
  for (QAction* a : {W.SelectItem, W.EditItem, W.OperationsItem})
    a->setEnabled(any);
  W.SelLocationBtn->setEnabled(any);
  W.SelLocationBtn->setText(Q(Text("Change", "تغيير")));
  W.SelLocationBtn->setToolTip(Q(Text("Select Location", "اختيار موقع")));
}

void TVEK__MAIN::SelectClick() {
  session_->EditLocations(LocationEdit::SelectFromMenu, [this](TLocations& list) {
    TSelectLocation dialog(MakeLocationDialogContext(*session_, list, options_.runModal), this);
    ExecWithLivePanel(*session_, options_.runModal, dialog);
  });
}

void TVEK__MAIN::SelLocationBtnClick() {
  if (!session_->HasCurrentLocation())
    return;
  session_->EditLocations(LocationEdit::SelectFromButton, [this](TLocations& list) {
    TSelectLocation dialog(MakeLocationDialogContext(*session_, list, options_.runModal), this);
    ExecWithLivePanel(*session_, options_.runModal, dialog);
  });
}

void TVEK__MAIN::EditClick() {
  if (!session_->HasCurrentLocation())
    return;
  session_->EditLocations(LocationEdit::EditCurrent, [this](TLocations& list) {
    TChangeLocation dialog(MakeLocationDialogContext(*session_, list, options_.runModal),
                           list.CurrentIndex, this);
    ShowModal(dialog);
  });
}

void TVEK__MAIN::OperationsClick() {
  session_->EditLocations(LocationEdit::Operations, [this](TLocations& list) {
    TLocationOperation dialog(MakeLocationDialogContext(*session_, list, options_.runModal), this);
    ExecWithLivePanel(*session_, options_.runModal, dialog);
  });
}

void TVEK__MAIN::HijtiMiladiClick() {
  session_->ToggleDateKind();
}

}  // namespace vek
