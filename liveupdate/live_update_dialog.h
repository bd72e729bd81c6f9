// The Live Update dialog TFTP_Main_Dlg, over FTP or HTTP (THTTPMain_Dlg is the same class): the
// labels, progress bars and statistics of the running transfer, the log of the session in the
// dialog's language, and, once the server's listing has been compared, the offered and ignored
// items in two grids with the buttons that move items between them. The session behind it
// (TLiveUpdateSession) decides everything; the dialog shows its view and passes on the user's
// commands.
//
// Usage: create it with a setup and a client, show it (not exec: it is application-modal and
// the caller hears finished()), and read DownloadedFileCount() once it has finished. Every way
// of closing it (the session's countdown, Close, the title bar, Escape) ends the session first;
// one that comes while a handler of the session waits inside (a rename retried, a message) is
// carried out once that handler has returned, so the caller never frees a session in use.
#pragma once

#include <QDialog>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "foundation/file_catalogue.h"
#include "foundation/system_services.h"
#include "liveupdate/live_update_session.h"
#include "liveupdate/transfer_client.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTableWidget;
class QToolButton;

namespace vek {

// The session's timer on the Qt event loop.
class QtSessionTimer : public SessionTimer {
 public:
  QtSessionTimer(std::chrono::milliseconds interval, std::function<void()> tick);
  void Start() override;
  void Stop() override;
  bool Enabled() const override;

 private:
  QTimer timer_;
};

class TFTP_Main_Dlg : public QDialog {
  Q_OBJECT

 public:
  TFTP_Main_Dlg(TLiveUpdateSetup setup, std::unique_ptr<TransferClient> client, SystemServices& sys,
                TFileCatalogue& catalogue, QWidget* parent = nullptr,
                std::chrono::milliseconds tick = std::chrono::milliseconds(1000));
  ~TFTP_Main_Dlg() override;

  TLiveUpdateSession& Session() { return *session_; }
  int DownloadedFileCount() const { return session_->DownloadedFileCount(); }

  // The dialog's language button also switches the main window's language.
  void SetLanguageSwitched(std::function<void(Language)> switched);

  QLabel* Title_Label;
  QToolButton* ArEn_SpeedButton;
  QLabel* Host_Label;
  QLabel* Status_Label;
  QLabel* DownloadingTo_Label;
  QLabel* Closing_Label;
  QProgressBar* ProgressBar1;
  QProgressBar* ProgressBar2;
  QLabel* PerCent_Panel;
  QLabel* Received_Panel;
  QLabel* Secs_Panel;
  QLabel* KBS_Panel;
  QPlainTextEdit* A_Memo;
  QPlainTextEdit* E_Memo;
  QWidget* Lists_Panel;
  QSplitter* Splitter1;
  QLabel* Add_Panel;
  QTableWidget* sg_Add;
  QToolButton* RemoveOne_SpeedButton;
  QToolButton* RemoveAll_SpeedButton;
  QLabel* Ignore_Panel;
  QTableWidget* sg_Ignore;
  QToolButton* AddOne_SpeedButton;
  QToolButton* AddAll_SpeedButton;
  QPushButton* StartUpdate_BitBtn;
  QPushButton* Cancel_BitBtn;

 public slots:
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildWidgets();
  void Render(unsigned what);
  void RenderLabels();
  void RenderProgress();
  void RenderMemos();
  void RenderGrids();
  void RenderLists();
  void RenderLanguage();
  void FillGrid(QTableWidget* grid, const std::vector<TGridRow>& rows, int selected);

  std::unique_ptr<TransferClient> client_;
  std::unique_ptr<QtSessionTimer> timer_;
  std::unique_ptr<TLiveUpdateSession> session_;
  std::size_t memoLines_ = 0;
  bool activated_ = false;
  bool rendering_ = false;
  std::optional<int> closeLater_;  // the result of a close put off while the session ran
};

// The HTTP dialog is the same dialog over an HTTP client.
using THTTPMain_Dlg = TFTP_Main_Dlg;

}  // namespace vek
