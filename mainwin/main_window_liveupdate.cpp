// Live Update from the main window: the menu "Internet", the Live Update commands over FTP and
// HTTP, the restart that installs what a Live Update fetched, and the maintainer's listing at
// activation (UPLOAD).
#include <QCoreApplication>
#include <QMenuBar>

#include <filesystem>
#include <memory>

#include "foundation/dos_error.h"
#include "foundation/file_catalogue.h"
#include "foundation/qt/qt_strings.h"
#include "foundation/run_program.h"
#include "liveupdate/curl_transfer_client.h"
#include "liveupdate/listing_record.h"
#include "liveupdate/listing_writer.h"
#include "liveupdate/live_update_config.h"
#include "liveupdate/live_update_dialog.h"
#include "liveupdate/session_live_update_setup.h"
#include "mainwin/main_window.h"
#include "program/settings_converters.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

QString Q(const std::string& s) {
  return ToQString(s);
}

}  // namespace

void TVEK__MAIN::BuildLiveUpdateMenu() {
  W.InternetMenu = menuBar()->addMenu(QString());
  W.InternetLiveUpdate1 = W.InternetMenu->addAction(QString(), this, [this] { LiveUpdateClick(); });
  W.e_HTTPUpdate = W.InternetMenu->addAction(QString(), this, [this] { HTTPUpdateClick(); });
  W.e_HTTPUpdate->setVisible(false);
}

void TVEK__MAIN::CaptionLiveUpdateMenu() {
  W.InternetMenu->setTitle(Q(Text("&Internet", "الإن&ترنت")));
  W.InternetLiveUpdate1->setText(Q(Text("&Live Update...", "ال&ترقية الحية...")));
  W.e_HTTPUpdate->setText(Q(Text("Live Update over &HTTP...", "الترقية الحية عبر &HTTP...")));
  W.e_HTTPUpdate->setVisible(session_->CommandLine().testerMode);
}

void TVEK__MAIN::LiveUpdateClick() {
  RunLiveUpdate(TransferKind::Ftp);
}

void TVEK__MAIN::HTTPUpdateClick() {
  RunLiveUpdate(TransferKind::Http);
}

TFTP_Main_Dlg* TVEK__MAIN::LiveUpdateDialog() const {
  return liveUpdateDialog_.data();
}

void TVEK__MAIN::RunLiveUpdate(TransferKind kind) {
  // One session at a time: a second request brings the running one to the front.
  if (liveUpdateDialog_) {
    liveUpdateDialog_->show();
    liveUpdateDialog_->raise();
    liveUpdateDialog_->activateWindow();
    return;
  }
  session_->MarkUpdateLinkVisited();
  const fs::path& program = Context().ThisPath;
  const fs::path folder = LiveUpdateFolder(program);
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) {
    ui_->ShowMessage(FileWriteErrorText(folder, ec.value(), Settings().Lang));
    return;
  }

  // The listing of this installation; in maintainer mode it is all there is to do.
  const TListingOutcome written = WriteLiveUpdateDirList(
      MakeListingSettings(*session_), folder / kLocalListingName, FileCatalogue(), sys_);
  switch (NextAfterListing(written, session_->CommandLine().upload)) {
    case AfterListing::Close:
      session_->SetClosingWithoutPrompt(true);
      close();
      return;
    case AfterListing::Stop:
      return;
    case AfterListing::Open:
      break;
  }
  TLiveUpdateSetup setup = MakeLiveUpdateSetup(*session_, kind, folder, written);

  auto client =
      std::make_unique<CurlTransferClient>(LiveUpdateServerOf(Context().SettingsFile, kind));
  auto* dialog =
      new TFTP_Main_Dlg(std::move(setup), std::move(client), sys_, FileCatalogue(), this);
  dialog->SetLanguageSwitched([this](Language lang) { session_->SetLanguage(lang); });
  dialog->Session().ShowStatus(Text("Finished Analyzing your files", "انتهى تحليل ملفاتكم"));
  dialog->setWindowModality(Qt::ApplicationModal);
  liveUpdateDialog_ = dialog;
  connect(dialog, &QDialog::finished, this, [this, dialog] {
    const int downloaded = dialog->DownloadedFileCount();
    dialog->deleteLater();
    AfterLiveUpdate(downloaded);
  });
  dialog->show();
}

// Files were fetched: the program starts again to install them. The new instance is started
// first; this one closes only when it started, and otherwise keeps running.
void TVEK__MAIN::AfterLiveUpdate(int downloadedFiles) {
  if (downloadedFiles <= 0)
    return;
  ui_->ShowMessage(Text(
      "Program will now restart\nto finish Live-Update\n\n(NOTE: You may now close the Internet "
      "connection)",
      "سيعاد تشغيل البرنامج الآن\nلإتمام الترقية الحية\n\n(ملاحظة: يمكنكم الآن قطع الاتصال "
      "بالإنترنت)"));
  session_->SaveSettings();
  const fs::path program = QCoreApplication::applicationFilePath().toStdString();
  if (!ExecuteProgram(program, {program.string(), "ContinueLiveUpdate"}, sys_))
    return;
  session_->SetClosingWithoutPrompt(true);
  close();
}

bool TVEK__MAIN::FormActivateUpload() {
  if (!session_->CommandLine().upload)
    return false;
  LiveUpdateClick();
  return true;
}

}  // namespace vek
