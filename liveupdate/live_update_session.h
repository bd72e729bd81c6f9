// One Live Update session, without widgets: connect to the update server, fetch its listing,
// compare it with the local listing, offer the differences in two grids (offered and ignored),
// download what the user keeps on offer into the program folder, and close. FTP and HTTP run the
// same session through one TransferClient.
//
// The session is driven by the client's events, the user's commands (the dialog's buttons) and
// a tick of its timer (about once a second). It keeps what the dialog shows in View() and tells
// the dialog through onChanged; it asks the dialog to close through onCloseRequested. Its only
// result is DownloadedFileCount(): the files fetched and put under their final names.
//
// Usage: the dialog creates the session, calls FormCreate, FormActivate once it shows, the
// handlers of its buttons and grids, TaskTimer_Timer on each tick of the timer, and FormClose
// whenever it closes (the session's request, Cancel, the title bar, Escape).
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "foundation/file_catalogue.h"
#include "foundation/language.h"
#include "foundation/system_services.h"
#include "liveupdate/listing_comparison.h"
#include "liveupdate/transfer_client.h"
#include "liveupdate/transfer_limits.h"
#include "liveupdate/twin_text.h"

namespace vek {

// The dialog's 1000 ms timer: the session starts and stops it; each tick calls
// TaskTimer_Timer.
class SessionTimer {
 public:
  virtual ~SessionTimer() = default;
  virtual void Start() = 0;  // (re)starts a full interval
  virtual void Stop() = 0;
  virtual bool Enabled() const = 0;
};

// What the session needs to know before it starts.
struct TLiveUpdateSetup {
  TransferKind kind = TransferKind::Ftp;
  std::filesystem::path programFolder;  // ThisPath: downloaded files land here
  std::filesystem::path updateFolder;   // LocalUpdateDir: the listings and IGNORE.REC
  std::string remoteUpdateDir = "/liveupdate/";
  std::string remoteListingPath = "/liveupdate/vekdirs.rec";
  bool connectionWanted = true;  // the listing writer listed a module
  bool skipDownload = false;     // SKIPDOWNLOAD: compare with the server listing on disk
  Language language = Language::English;
  // The base names of the clock faces' pictures ("WENQ140A"): their archives and pictures are
  // files the program reads.
  std::vector<std::string> clockFaces;
  // The comparison's settings; its rules follow kind and its language the dialog's.
  TComparisonSettings comparison;
};

// The file names of a setup's update folder.
std::filesystem::path LocalListingPath(const TLiveUpdateSetup& setup);
std::filesystem::path DownloadedListingPath(const TLiveUpdateSetup& setup);
std::filesystem::path IgnoreFilePath(const TLiveUpdateSetup& setup);
// The server's listing with its extension replaced by "DAT": the FTP LIST text of the folder.
std::filesystem::path ListingDumpPath(const TLiveUpdateSetup& setup);

// What the dialog shows.
struct TLiveUpdateView {
  Language language = Language::English;
  std::string status;         // Status_Label
  std::string host;           // Host_Label
  std::string downloadingTo;  // DownloadingTo_Label
  std::string closing;        // Closing_Label
  bool hostVisible = true;
  bool downloadingToVisible = true;
  bool closingVisible = false;
  bool progress1Visible = false;  // bytes of the current transfer
  std::int64_t progress1Max = 0;
  std::int64_t progress1Pos = 0;
  bool progress1Busy = false;     // a transfer of unknown size runs: the bar shows only that
  bool progress2Visible = false;  // items of the download run
  int progress2Max = 0;
  int progress2Pos = 0;
  std::string percent;                   // PerCent_Panel
  std::string received;                  // Received_Panel
  std::string secs;                      // Secs_Panel
  std::string rate;                      // KBS_Panel
  std::vector<std::string> arabicMemo;   // A_Memo
  std::vector<std::string> englishMemo;  // E_Memo
  bool listsVisible = false;
  std::vector<TGridRow> offered;  // sg_Add below its title row
  std::vector<TGridRow> ignored;  // sg_Ignore below its title row
  int offeredRow = -1;            // the selected item row of each grid; -1: none
  int ignoredRow = -1;
  bool preventEnabled = false;  // RemoveOne_SpeedButton, RemoveAll_SpeedButton
  bool allowEnabled = false;    // AddOne_SpeedButton, AddAll_SpeedButton
  bool gridsEnabled = true;
};

// What changed in the view since the last notification.
enum TViewChange : unsigned {
  kViewLabels = 1,     // labels and their visibility
  kViewProgress = 2,   // progress bars and statistics panels
  kViewMemo = 4,       // lines added to the memos, or the memos cleared
  kViewGrids = 8,      // rows, selections, move buttons
  kViewLists = 16,     // the lists area shown or hidden
  kViewLanguage = 32,  // the dialog language
};

// The texts of the dialog in one language.
struct TLiveUpdateCaptions {
  std::string windowCaption;  // "Al-Tovarelin (Zurivo Zazir): Live Update"
  std::string title;          // "Al-Tovarelin: Live Update"
  std::array<std::string, 6> columns;
  std::string close, startUpdate, languageButton;
  std::string addCaption, addHint, ignoreCaption, ignoreHint;
  std::string addGridHint, ignoreGridHint;
  std::string removeOneHint, removeAllHint, addOneHint, addAllHint;
};
TLiveUpdateCaptions LiveUpdateCaptions(Language language, std::size_t offered, std::size_t ignored);

class TLiveUpdateSession {
 public:
  TLiveUpdateSession(TLiveUpdateSetup setup, TransferClient& client, SessionTimer& timer,
                     SystemServices& sys, TFileCatalogue& catalogue);
  ~TLiveUpdateSession();
  TLiveUpdateSession(const TLiveUpdateSession&) = delete;
  TLiveUpdateSession& operator=(const TLiveUpdateSession&) = delete;

  // The dialog: what changed (TViewChange bits); close it; switch the main window's language.
  std::function<void(unsigned)> onChanged;
  std::function<void()> onCloseRequested;
  std::function<void(Language)> onLanguageSwitched;
  // The last running handler is returning (see Running()): a close put off can be carried out
  // from the event loop (not at once: the handler has not returned yet).
  std::function<void()> onHandlersEnded;

  void FormCreate();
  // The session up to the offer: the connection and the listing go on in the client's events.
  void FormActivate();
  // Every close: aborts a running transfer and deletes its temporary file, runs a comparison
  // still due, and writes IGNORE.REC when the moves changed it. Runs once.
  void FormClose();
  void Cancel_BitBtnClick();
  // Fetches every offered item, one after the other.
  void StartUpdate_BitBtnClick();
  // The dialog is to close: no further item starts, the running step ends first.
  void RequestStop() { stopRequested_ = true; }
  void ArEn_SpeedButtonClick();
  void TaskTimer_Timer();
  // The status line, as the opener sets it before the session starts.
  void ShowStatus(const std::string& text) { Status(text); }

  // The grids (the buttons, the double-clicks and the clicks that select).
  void SelectOffered(int row);
  void SelectIgnored(int row);
  void RemoveOne();  // prevent updating the selected offered item
  void RemoveAll();
  void AddOne();  // allow updating the selected ignored item
  void AddAll();

  const TLiveUpdateView& View() const { return view_; }
  const TLiveUpdateSetup& Setup() const { return setup_; }
  int DownloadedFileCount() const { return downloadedFileCount_; }

  // The flags of the session, for the dialog and for tests.
  enum TimerModes : std::uint8_t { kCloseCountdown = 0, kStopwatch = 1, kStopped = 2 };
  std::uint8_t TimerMode() const { return timerMode_; }
  bool ListingComplete() const { return listingComplete_; }
  // The opening runs: connecting, fetching the listing and comparing. Opened: it has ended.
  bool Activating() const { return activating_; }
  bool Opened() const { return activated_ && !activating_; }
  bool ComparisonDone() const { return comparisonDone_; }
  bool DownloadBusy() const { return downloadBusy_; }
  bool ListsEditable() const { return listsEditable_; }
  bool StopRequested() const { return stopRequested_; }
  int CancelPressCount() const { return cancelPressCount_; }
  bool Closed() const { return closed_; }
  // A handler of the session runs: a client's event (an item being put in place) or a message.
  // It may be waiting inside with events handled (a rename retried, a copy, a message box); until
  // it returns the session must be neither closed nor freed.
  bool Running() const { return handlers_ > 0; }
  // A transfer runs (the listing or an item).
  bool TransferRunning() const { return phase_ == Phase::Listing || phase_ == Phase::Item; }

 private:
  enum class Phase {
    Idle,        // nothing runs
    Connecting,  // the session's connection is being made
    Listing,     // the server's folder listing or listing file is being fetched
    Item,        // an offered item is being fetched
  };

  struct TRunItem {
    std::string name;  // column 0: the listed name, lower case
    std::uint32_t stamp = 0;
    std::int64_t size = -1;  // the listed size
  };

  // Counts a running handler for Running(); the last one to end tells onHandlersEnded.
  class HandlerScope;

  void OnEvent(const TransferEvent& event);
  void HandleEvent(const TransferEvent& event);
  void OnDone(const TransferOutcome& outcome);
  void OnConnectDone(const TransferOutcome& outcome);
  void OnListDone(const TransferOutcome& outcome);
  void OnListingDone(const TransferOutcome& outcome);
  void OnItemDone(const TransferOutcome& outcome);
  bool InstallItem(const TRunItem& item, const TransferOutcome& outcome);
  void PacketRecvd(std::int64_t received, std::int64_t total);
  void ShowStatistics();
  void StartTransferStatistics();
  void FetchListing();
  void FetchListingFile();
  void ShowSuccess(const TransferOutcome& outcome);
  void EndActivation();
  void CompareFiles();
  void RunComparison(bool closing);
  bool RoomForTheOffer();
  void StartNextItem();
  void FinishRun();
  void RemoveFetchedRow(const std::string& name);
  bool Complete(const TransferOutcome& outcome) const;
  void AbortTransfer();
  void DoDisconnect();

  // The timer.
  void StartStopWatch_Timer(bool reset);
  void StopStopWatch_Timer();
  void StartClose_Timer();

  // The grids.
  void ValidateBothSG_Rows();
  void EnableALLAddRemoveButtons();
  void DisableALLAddRemoveButtons();
  void ShowLists();
  void HideLists();
  void SetDialogLanguage();
  void SaveIgnore();

  // Texts, memos and messages.
  std::string T(const char* english, const char* arabic) const;
  void Memo(const std::string& english, const std::string& arabic);
  void ClearMemos();
  void Status(const std::string& text);  // the same in both languages
  void Status(const TTwinText& text);
  void DownloadingTo(const TTwinText& text);
  // Shows the labels, the statistics and the grids' texts in the dialog's language.
  void RecaptionShownTexts();
  void Message(const std::string& text);
  // Shows and logs why a transfer failed, and answers the reason. body: the local file of the
  // transfer, as the HTTP failure shows it.
  TTwinText ShowFailure(const TransferOutcome& outcome, bool connecting,
                        const std::filesystem::path& body = {});
  void Changed(unsigned what);

  TLiveUpdateSetup setup_;
  TransferClient& client_;
  SessionTimer& timer_;
  SystemServices& sys_;
  TFileCatalogue& catalogue_;
  TLiveUpdateView view_;
  std::string hostName_;
  // The labels as both languages have them.
  TTwinText statusText_;
  TTwinText downloadingToText_;
  TTwinText closingText_;
  // What the statistics panels show, as numbers.
  struct TStatistics {
    bool received = false;  // a transfer told of its progress
    std::int64_t bytes = 0;
    std::int64_t total = -1;
    bool timed = false;  // the stopwatch ran
    std::int64_t seconds = 0;
    bool rated = false;
    std::int64_t rate = 0;  // bytes a second
  } statistics_;

  Phase phase_ = Phase::Idle;
  int transfer_ = 0;                    // the number of the running transfer
  std::filesystem::path transferFile_;  // its temporary file
  TTransferAllowance allowance_;        // the bytes it may receive

  int downloadedFileCount_ = 0;
  bool listingComplete_ = false;
  bool comparisonDone_ = false;
  bool activating_ = false;
  bool activated_ = false;  // FormActivate ran
  bool stopRequested_ = false;
  bool downloadBusy_ = false;
  bool listsEditable_ = true;
  bool saveEachMove_ = true;
  bool ignoreListChanged_ = false;
  bool closed_ = false;
  int cancelPressCount_ = 0;
  bool failureShown_ = false;  // a failed transfer's box was shown: no second one follows it
  int handlers_ = 0;
  bool installing_ = false;  // a whole item is being put in place
  std::uint8_t timerMode_ = kStopped;
  Clock::TimePoint stopwatchStart_{};
  std::int64_t stopwatchSeconds_ = 0;
  std::int64_t carriedBytes_ = 0;
  std::string listText_;  // the FTP LIST lines, each followed by a blank

  std::vector<TRunItem> run_;
  std::size_t runNext_ = 0;
  bool runIncomplete_ = false;
  std::filesystem::path itemFinal_;
  std::filesystem::path itemTemp_;
  bool itemListedName_ = false;  // the item is fetched under its listed name
};

}  // namespace vek
