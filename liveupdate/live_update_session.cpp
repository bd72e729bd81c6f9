#include "liveupdate/live_update_session.h"

#include <algorithm>
#include <utility>

#include "foundation/conversions.h"
#include "foundation/debug_log.h"
#include "foundation/dos_error.h"
#include "foundation/file_helpers.h"
#include "foundation/file_io.h"
#include "foundation/program_folder.h"
#include "foundation/text.h"
#include "liveupdate/download_check.h"
#include "liveupdate/listing_record.h"
#include "liveupdate/remote_names.h"
#include "liveupdate/transfer_failure_reason.h"
#include "sounds/sound_files.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

// The right-to-left mark that frames Arabic captions.
constexpr const char* kRlm = "\u200F";

TTwinText Twin(std::string_view english, std::string_view arabic) {
  return {std::string(english), std::string(arabic)};
}

// Text that is the same in both languages, added to both.
TTwinText operator+(TTwinText text, std::string_view more) {
  text.english += more;
  text.arabic += more;
  return text;
}

// A reader's message as lines of the log.
std::string LogLines(std::string text) {
  std::size_t at = 0;
  while ((at = text.find("\r\n", at)) != std::string::npos)
    text.erase(at, 1);
  return text;
}

bool IsFile(const fs::path& file) {
  std::error_code ec;
  return fs::is_regular_file(file, ec);
}

// A reason after the text it explains.
std::string Because(const std::string& reason) {
  return reason.empty() ? std::string() : ": " + reason;
}

TTwinText WithReason(std::string_view english, std::string_view arabic, const TTwinText& reason) {
  return {std::string(english) + Because(reason.english),
          std::string(arabic) + Because(reason.arabic)};
}

// The room an offered item (listed name, listed size) takes on the program folder's disk: what
// its transfer may bring (an archive, its allowance), the wave file that the restarted program
// unpacks from a sound archive, and the dated copy kept of the user's own file it replaces.
std::int64_t RoomForItem(const fs::path& programFolder, const std::string& name,
                         std::int64_t listedSize) {
  const std::optional<TRemoteName> remote = RemoteNameOf(name);
  if (!remote)
    return 0;  // never fetched
  const std::int64_t listed = std::max<std::int64_t>(0, listedSize);
  const bool archive = AsciiLower(remote->fileName) != AsciiLower(name);
  std::int64_t room = ItemAllowance(listed, archive).maxBytes;
  if (ReaderOfDownloadedFile(remote->fileName, {}) == TDownloadReader::SoundArchive)
    room += listed;
  if (KeptBeforeReplacement(remote->fileName)) {
    std::error_code ec;
    const fs::path mine = FindFileIgnoringCase(programFolder, remote->fileName);
    const std::uintmax_t size = fs::is_regular_file(mine, ec) ? fs::file_size(mine, ec) : 0;
    if (!ec)
      room += static_cast<std::int64_t>(size);
  }
  return room;
}

// The temporary file a listing or an item is fetched into.
fs::path TemporaryOf(const fs::path& file) {
  fs::path temp = file;
  temp += std::string(kDownloadSuffix);
  return temp;
}

// An installer package fetched for the restarted program to run: it gets the execute bits of
// the read bits it has.
void MakeExecutable(const fs::path& file) {
  std::error_code ec;
  const fs::perms p = fs::status(file, ec).permissions();
  if (ec)
    return;
  fs::perms add = fs::perms::owner_exec;
  if ((p & fs::perms::group_read) != fs::perms::none)
    add |= fs::perms::group_exec;
  if ((p & fs::perms::others_read) != fs::perms::none)
    add |= fs::perms::others_exec;
  fs::permissions(file, add, fs::perm_options::add, ec);
}

struct CommandText {
  const char* english;
  const char* arabic;
};

CommandText SuccessText(TransferCommand command) {
  switch (command) {
    case TransferCommand::Connect:
      return {"connected", "تم الاتصال"};
    case TransferCommand::List:
      return {"List success", "نجح عرض المجلد"};
    case TransferCommand::Download:
      break;
  }
  return {"Download success", "نجح التنزيل"};
}

CommandText FailureText(TransferCommand command) {
  switch (command) {
    case TransferCommand::Connect:
      return {"Connection failed", "فشل الاتصال"};
    case TransferCommand::List:
      return {"List failure", "فشل عرض المجلد"};
    case TransferCommand::Download:
      break;
  }
  return {"Download failure", "فشل التنزيل"};
}

}  // namespace

fs::path LocalListingPath(const TLiveUpdateSetup& setup) {
  return setup.updateFolder / kLocalListingName;
}

fs::path DownloadedListingPath(const TLiveUpdateSetup& setup) {
  return setup.updateFolder / kDownloadedListingName;
}

fs::path IgnoreFilePath(const TLiveUpdateSetup& setup) {
  return FindFileIgnoringCase(setup.updateFolder, std::string(kIgnoreFileName));
}

fs::path ListingDumpPath(const TLiveUpdateSetup& setup) {
  std::string name(kDownloadedListingName);
  name.replace(name.size() - 3, 3, "DAT");
  return setup.updateFolder / name;
}

TLiveUpdateCaptions LiveUpdateCaptions(Language language, std::size_t offered,
                                       std::size_t ignored) {
  const bool arabic = language == Language::Arabic;
  auto t = [&](const char* english, const char* ar) { return std::string(arabic ? ar : english); };
  TLiveUpdateCaptions c;
  c.windowCaption = t("Al-Tovarelin (Zurivo Zazir): Live Update",
                      "أوقات الصلاة (برنامج Tovarelin): الترقية الحية");
  c.title = t("Al-Tovarelin: Live Update", "الترقية الحية من Tovarelin");
  c.columns = {
      t("File", "الملف"), t("Update Type", "نوع التجديد"),   t("Size: bytes", "الحجم: بايت"), "",
      t("Date", "تاريخ"), t("Item Description", "وصف البند")};
  c.close = t("Close", "إغلاق");
  c.startUpdate = t("Start Update", "ابدأ الترقية");
  c.languageButton = arabic ? "&1 English" : "&1 عربي";
  if (arabic) {
    c.addCaption = std::string(kRlm) + "ترقية هذه (" + std::to_string(offered) + ")" + kRlm;
    c.ignoreCaption = std::string(kRlm) + "تجاهل هذه (" + std::to_string(ignored) + ")" + kRlm;
  } else {
    c.addCaption = "Add these (" + std::to_string(offered) + ")";
    c.ignoreCaption = "Ignore these (" + std::to_string(ignored) + ")";
  }
  c.addHint = offered > 0 ? t("All these items are ready to download from our site to your machine",
                              "جميع هذه البنود جاهزة للتنزيل من موقعنا إلى جهازكم")
                          : t("no items to download", "لا يوجد بنود للتنزيل");
  c.ignoreHint = ignored > 0 ? t("These items will not be downloaded", "لن يتم تنزيل هذه البنود")
                             : t("no ignored items", "لا يوجد بنود مهملة");
  c.addGridHint =
      t("Double-click any item to PREVENT updating it", "انقر نقرا مزدوجا على أي بند لمنع تجديده");
  c.ignoreGridHint =
      t("Double-click any item to ALLOW updating it", "انقر نقرا مزدوجا على أي بند للسماح بتجديده");
  c.removeOneHint = t("PREVENT updating selected item", "منع تجديد البند المختار");
  c.removeAllHint = t("PREVENT updating ALL these items", "منع تجديد كل هذه البنود");
  c.addOneHint = t("ALLOW updating selected item", "السماح بتجديد البند المختار");
  c.addAllHint = t("ALLOW updating ALL items", "السماح بتجديد كل البنود");
  return c;
}

class TLiveUpdateSession::HandlerScope {
 public:
  explicit HandlerScope(TLiveUpdateSession& session) : session_(session) { ++session_.handlers_; }
  ~HandlerScope() {
    if (--session_.handlers_ == 0 && session_.onHandlersEnded)
      session_.onHandlersEnded();
  }
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;

 private:
  TLiveUpdateSession& session_;
};

TLiveUpdateSession::TLiveUpdateSession(TLiveUpdateSetup setup, TransferClient& client,
                                       SessionTimer& timer, SystemServices& sys,
                                       TFileCatalogue& catalogue)
    : setup_(std::move(setup)), client_(client), timer_(timer), sys_(sys), catalogue_(catalogue) {
  setup_.comparison.rules =
      setup_.kind == TransferKind::Http ? TransferRules::Http : TransferRules::Ftp;
  view_.language = setup_.language;
  hostName_ = client_.HostName();
  client_.SetEventSink([this](const TransferEvent& event) { OnEvent(event); });
}

TLiveUpdateSession::~TLiveUpdateSession() {
  client_.SetEventSink({});
}

// ---------------------------------------------------------------------------------------------
// Texts

std::string TLiveUpdateSession::T(const char* english, const char* arabic) const {
  return ByLanguage(view_.language, english, arabic);
}

void TLiveUpdateSession::Changed(unsigned what) {
  if (onChanged)
    onChanged(what);
}

void TLiveUpdateSession::Memo(const std::string& english, const std::string& arabic) {
  view_.englishMemo.push_back(english);
  view_.arabicMemo.push_back(arabic);
  Changed(kViewMemo);
}

void TLiveUpdateSession::ClearMemos() {
  view_.englishMemo.clear();
  view_.arabicMemo.clear();
  Changed(kViewMemo);
}

void TLiveUpdateSession::Status(const std::string& text) {
  Status(TTwinText{text, text});
}

void TLiveUpdateSession::Status(const TTwinText& text) {
  statusText_ = text;
  view_.status = text.In(view_.language);
  Changed(kViewLabels);
}

void TLiveUpdateSession::DownloadingTo(const TTwinText& text) {
  downloadingToText_ = text;
  view_.downloadingTo = text.In(view_.language);
  Changed(kViewLabels);
}

// A message box. While it is open the timer keeps ticking, but the close countdown waits.
void TLiveUpdateSession::Message(const std::string& text) {
  const HandlerScope running(*this);
  ShowProgramMessage(text, sys_.ui);
}

TTwinText TLiveUpdateSession::ShowFailure(const TransferOutcome& outcome, bool connecting,
                                          const fs::path& body) {
  const TTwinText reason = TransferFailureReason(outcome, allowance_);
  const CommandText text = FailureText(outcome.command);
  // libcurl's own words, which the Arabic log leaves out, for whoever reads the debug log.
  if (!outcome.errorText.empty())
    DebugLog(std::string("Live Update: ") + text.english + ": " + outcome.errorText);
  // The log keeps why; an item's failure line is its "***INCOMPLETE***" line (OnItemDone).
  if (phase_ != Phase::Item)
    Memo(text.english + Because(reason.english), text.arabic + Because(reason.arabic));
  switch (outcome.failure) {
    case TransferFailure::InvalidHost:
      Status(Twin("*Error: Invalid Host: ", "*خطأ: خادم غير صالح: ") + LeftToRight(hostName_));
      return reason;
    case TransferFailure::ConnectionFailed:
      Status(WithReason("Connection failed", "فشل الاتصال", reason));
      failureShown_ = true;
      Message(
          T("Connection failed...\nPlease try connecting to the internet MANUALLY,\n"
            "then repeat this Live Update again",
            "فشل الاتصال...\nيرجى الاتصال بالإنترنت يدويا،\nثم إعادة هذه الترقية الحية"));
      return reason;
    case TransferFailure::AuthenticationFailed:
      Status(WithReason("authentication failed", "فشل التحقق من الهوية", reason));
      return reason;
    default:
      break;
  }
  if (setup_.kind == TransferKind::Http && !connecting) {
    for (const std::string& line : {std::string("Header:"), std::string(), std::string("======"),
                                    std::string("Body:"), body.string()})
      Memo(line, line);
    Status(WithReason("HTTP GET Failed", "فشل طلب HTTP GET", reason));
    return reason;
  }
  Status(WithReason(text.english, text.arabic, reason));
  return reason;
}

// ---------------------------------------------------------------------------------------------
// Opening and closing

void TLiveUpdateSession::FormCreate() {
  timerMode_ = kStopped;
  timer_.Stop();
  view_.arabicMemo.clear();
  view_.englishMemo.clear();
  view_.host.clear();
  statusText_ = downloadingToText_ = closingText_ = {};
  view_.downloadingTo.clear();
  view_.status.clear();
  statistics_ = {};
  ShowStatistics();
  view_.progress1Visible = false;
  view_.progress1Pos = 0;
  DisableALLAddRemoveButtons();
  Changed(~0u);
}

void TLiveUpdateSession::FormActivate() {
  DisableALLAddRemoveButtons();
  HideLists();
  listsEditable_ = true;
  SetDialogLanguage();
  stopRequested_ = false;
  comparisonDone_ = false;
  failureShown_ = false;
  activating_ = true;
  activated_ = true;
  if (setup_.skipDownload) {
    // The server's listing already on disk; no connection.
    listingComplete_ = true;
    CompareFiles();
    EndActivation();
    return;
  }
  ClearMemos();
  listingComplete_ = false;
  if (!setup_.connectionWanted) {
    EndActivation();
    return;
  }
  Memo("trying to connect", "محاولة الاتصال");
  Memo(hostName_, hostName_);
  if (client_.Connected())
    client_.Disconnect();
  phase_ = Phase::Connecting;
  transferFile_.clear();
  transfer_ = client_.Connect();
  view_.progress1Visible = true;
  Memo("Getting Live-Update Information, Please Wait",
       "جاري الحصول على معلومات الترقية الحية، يرجى الانتظار");
  Status(Twin("Downloading from: ", "التنزيل من: ") +
         LeftToRight(hostName_ + setup_.remoteListingPath));
  DownloadingTo(Twin("Downloading to: ", "التنزيل إلى: ") +
                LeftToRight(DownloadedListingPath(setup_).string()));
  Changed(kViewLabels | kViewProgress);
}

// The end of the opening: the move buttons of an empty grid are disabled.
void TLiveUpdateSession::EndActivation() {
  if (view_.ignored.empty())
    view_.allowEnabled = false;
  if (view_.offered.empty())
    view_.preventEnabled = false;
  activating_ = false;
  Changed(kViewGrids | kViewLabels | kViewProgress);
}

void TLiveUpdateSession::FormClose() {
  if (closed_)
    return;
  closed_ = true;
  timer_.Stop();
  AbortTransfer();
  downloadBusy_ = false;
  if (listingComplete_ && !comparisonDone_)
    RunComparison(true);
  SaveIgnore();
}

// ---------------------------------------------------------------------------------------------
// Client events

void TLiveUpdateSession::OnEvent(const TransferEvent& event) {
  const HandlerScope running(*this);
  HandleEvent(event);
}

void TLiveUpdateSession::HandleEvent(const TransferEvent& event) {
  if (closed_)
    return;
  if (event.kind == TransferEvent::Disconnected) {
    Status(Twin("Disconnected", "انقطع الاتصال"));
    if (setup_.connectionWanted && !downloadBusy_)
      StartClose_Timer();
    return;
  }
  // Events of an aborted transfer are no longer of interest.
  if (phase_ == Phase::Idle || event.transfer != transfer_)
    return;
  switch (event.kind) {
    case TransferEvent::HostResolved:
      Status(
          Twin("Host Resolved, wait for connection...", "تم العثور على الخادم، انتظر الاتصال..."));
      break;
    case TransferEvent::TransactionStart:
      Status(Twin("Beginning Data Transfer", "بدء نقل البيانات"));
      break;
    case TransferEvent::Progress:
      PacketRecvd(event.received, event.total);
      break;
    case TransferEvent::Status:
      Status(event.text);
      if (event.code == 530)
        Message(T("*Requested action not taken", "*لم يتم تنفيذ الإجراء المطلوب"));
      break;
    case TransferEvent::RequestHeaders: {
      std::size_t start = 0;
      while (start < event.text.size()) {
        std::size_t end = event.text.find('\n', start);
        if (end == std::string::npos)
          end = event.text.size();
        std::string line = event.text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
          line.pop_back();
        if (!line.empty())
          Memo(line, line);
        start = end + 1;
      }
      break;
    }
    case TransferEvent::ListLines: {
      std::size_t start = 0;
      for (;;) {
        const std::size_t end = event.text.find('\n', start);
        listText_.append(event.text, start, end - start).append(" ");
        if (end == std::string::npos)
          break;
        start = end + 1;
      }
      break;
    }
    case TransferEvent::Done:
      OnDone(event.outcome);
      break;
    case TransferEvent::Disconnected:
      break;
  }
}

void TLiveUpdateSession::PacketRecvd(std::int64_t received, std::int64_t total) {
  if (total != view_.progress1Max)
    view_.progress1Max = total;
  // Of a transfer of unknown size the bar shows only that it runs.
  view_.progress1Busy = total <= 0;
  statistics_.received = true;
  statistics_.bytes = received;
  statistics_.total = total;
  if (timerMode_ == kStopwatch) {
    statistics_.timed = true;
    statistics_.seconds = stopwatchSeconds_;
    if (stopwatchSeconds_ > 0) {
      statistics_.rated = true;
      statistics_.rate = (received + carriedBytes_) / stopwatchSeconds_;
    }
  }
  ShowStatistics();
  view_.progress1Pos = received;
  Changed(kViewProgress);
}

// The statistics panels in the dialog's language: the percent only of a transfer of known size.
void TLiveUpdateSession::ShowStatistics() {
  const TStatistics& st = statistics_;
  view_.percent.clear();
  view_.received.clear();
  if (st.received && st.total > 0) {
    view_.percent = std::to_string(st.bytes * 100 / st.total) + "%";
    view_.received =
        ThousandsOf(st.bytes) + T(" of ", " من ") + ThousandsOf(st.total) + T(" bytes ", " بايت ");
  } else if (st.received) {
    view_.received = ThousandsOf(st.bytes) + T(" bytes ", " بايت ");
  }
  view_.secs = st.timed ? std::to_string(st.seconds) + T(" secs", " ثانية") : std::string();
  view_.rate = st.rated ? std::to_string(st.rate) + T(" Bytes/sec", " بايت/ثانية") : std::string();
}

// A transfer begins: nothing of the one before stays on its bar and panels.
void TLiveUpdateSession::StartTransferStatistics() {
  statistics_.received = false;
  ShowStatistics();
  view_.progress1Pos = 0;
  view_.progress1Max = 0;
  view_.progress1Busy = false;
  Changed(kViewProgress);
}

void TLiveUpdateSession::OnDone(const TransferOutcome& outcome) {
  view_.progress1Busy = false;
  if (outcome.command != TransferCommand::Connect)
    Status(Twin("Data Transfer complete", "اكتمل نقل البيانات"));
  switch (phase_) {
    case Phase::Connecting:
      OnConnectDone(outcome);
      break;
    case Phase::Listing:
      if (outcome.command == TransferCommand::List)
        OnListDone(outcome);
      else
        OnListingDone(outcome);
      break;
    case Phase::Item:
      OnItemDone(outcome);
      break;
    case Phase::Idle:
      break;
  }
}

void TLiveUpdateSession::OnConnectDone(const TransferOutcome& outcome) {
  phase_ = Phase::Idle;
  if (outcome.Succeeded()) {
    Status(Twin("connected", "تم الاتصال"));
    sys_.ui.Beep();
    view_.host = hostName_;
    Changed(kViewLabels);
    FetchListing();
    return;
  }
  // No connection: the listing stays incomplete and the dialog stays open for Close.
  ShowFailure(outcome, true);
  listingComplete_ = false;
  CompareFiles();
  view_.progress1Visible = false;
  EndActivation();
}

void TLiveUpdateSession::FetchListing() {
  if (setup_.kind == TransferKind::Ftp) {
    listText_.clear();
    phase_ = Phase::Listing;
    transferFile_.clear();
    allowance_ = ListingAllowance();
    transfer_ = client_.List(setup_.remoteUpdateDir, allowance_.maxBytes);
    return;
  }
  FetchListingFile();
}

void TLiveUpdateSession::FetchListingFile() {
  ForceDeleteFile(DownloadedListingPath(setup_), sys_.fs);
  StartStopWatch_Timer(true);
  StartTransferStatistics();
  phase_ = Phase::Listing;
  transferFile_ = TemporaryOf(DownloadedListingPath(setup_));
  allowance_ = ListingAllowance();
  transfer_ = client_.Download(setup_.remoteListingPath, transferFile_, allowance_.maxBytes);
}

void TLiveUpdateSession::OnListDone(const TransferOutcome& outcome) {
  if (outcome.Succeeded()) {
    Status(Twin("Directory changed to ", "تم الانتقال إلى المجلد ") + setup_.remoteUpdateDir);
    const CommandText text = SuccessText(TransferCommand::List);
    Status(Twin(text.english, text.arabic));
    FetchListingFile();
    return;
  }
  phase_ = Phase::Idle;
  ShowFailure(outcome, false);
  listingComplete_ = false;
  StartClose_Timer();
  CompareFiles();
  view_.progress1Visible = false;
  EndActivation();
}

void TLiveUpdateSession::OnListingDone(const TransferOutcome& outcome) {
  phase_ = Phase::Idle;
  const fs::path temp = transferFile_;
  transferFile_.clear();
  bool complete = Complete(outcome);
  if (complete) {
    // A listing that arrived whole but does not read is not kept: the log and a message say why,
    // and there is nothing to compare.
    const TDownloadCheck check =
        CheckDownloadedFile(temp, std::string(kDownloadedListingName), {setup_.clockFaces});
    if (!check.reads) {
      ForceDeleteFile(temp, sys_.fs);
      Memo(LogLines(check.english), LogLines(check.arabic));
      Status(Twin("The server's listing does not read", "قائمة ملفات الخادم لا تقرأ"));
      DownloadingTo({});
      listingComplete_ = false;
      Message(T(check.english.c_str(), check.arabic.c_str()));
      StartClose_Timer();
      view_.progress1Visible = false;
      view_.progress1Pos = 0;
      EndActivation();
      return;
    }
    // The listing becomes vekdirs.dwn only when it arrived whole.
    if (const int e = sys_.fs.Rename(temp, DownloadedListingPath(setup_)); e != 0) {
      Message(FileWriteErrorText(DownloadedListingPath(setup_), e, view_.language));
      complete = false;
    }
  }
  if (!complete) {
    ForceDeleteFile(temp, sys_.fs);
    ShowFailure(outcome, false, temp);
    listingComplete_ = false;
    StartClose_Timer();
    CompareFiles();
    view_.progress1Visible = false;
    EndActivation();
    return;
  }
  if (timerMode_ == kStopwatch)
    carriedBytes_ += outcome.total;
  listingComplete_ = true;
  ShowSuccess(outcome);
  if (setup_.kind == TransferKind::Ftp) {
    if (const int e = WriteFileReplacing(ListingDumpPath(setup_), listText_ + "\r\n", sys_.fs);
        e != 0)
      Message(FileWriteErrorText(ListingDumpPath(setup_), e, view_.language));
  }
  if (timerMode_ == kStopwatch)
    StopStopWatch_Timer();
  CompareFiles();
  view_.progress1Visible = false;
  Status(std::string());
  EndActivation();
}

void TLiveUpdateSession::ShowSuccess(const TransferOutcome& outcome) {
  view_.host = hostName_;
  if (setup_.kind == TransferKind::Http) {
    if (!outcome.replyLine.empty())
      Memo(outcome.replyLine, outcome.replyLine);
    Changed(kViewLabels);
    return;
  }
  const CommandText text = SuccessText(outcome.command);
  Status(Twin(text.english, text.arabic));
}

// A transfer is whole when the transport succeeded (over HTTP with the status 200), the server
// announced a size above 0, and that many bytes arrived.
bool TLiveUpdateSession::Complete(const TransferOutcome& outcome) const {
  if (!outcome.Succeeded())
    return false;
  if (setup_.kind == TransferKind::Http && outcome.replyCode != 200)
    return false;
  return outcome.total > 0 && outcome.received == outcome.total;
}

// ---------------------------------------------------------------------------------------------
// The comparison

void TLiveUpdateSession::CompareFiles() {
  if (listingComplete_) {
    Memo("Comparing Files, Please Wait", "جاري مقارنة الملفات، يرجى الانتظار");
  } else {
    // Nothing is being downloaded any more; one box tells the failure.
    DownloadingTo({});
    if (!std::exchange(failureShown_, false))
      Message(T("Download Incomplete\r\nMust Retry", "التنزيل غير كامل\r\nيجب إعادة المحاولة"));
  }
  if (listingComplete_ && !comparisonDone_)
    RunComparison(false);
  view_.progress1Pos = 0;
  Changed(kViewProgress);
}

void TLiveUpdateSession::RunComparison(bool closing) {
  // Done once, whether it succeeds or not: a failed comparison is never run again.
  comparisonDone_ = true;
  TComparisonSettings settings = setup_.comparison;
  settings.language = view_.language;
  TComparisonFiles files;
  files.local = LocalListingPath(setup_);
  files.server = DownloadedListingPath(setup_);
  files.ignore = IgnoreFilePath(setup_);
  const TComparison result = CompareAndFill(files, catalogue_, settings, sys_.fs);
  if (!result.saveError.empty())
    Message(result.saveError);
  if (closing)
    return;
  if (!result.error.empty()) {
    Message(result.error);
    DisableALLAddRemoveButtons();
    HideLists();
    StartClose_Timer();
    return;
  }
  Memo("Finished Comparing", "انتهت المقارنة");
  view_.offered = result.offered;
  view_.ignored = result.ignored;
  view_.offeredRow = view_.offered.empty() ? -1 : 0;
  view_.ignoredRow = view_.ignored.empty() ? -1 : 0;
  if (result.showLists) {
    ShowLists();
    EnableALLAddRemoveButtons();
  } else {
    StartClose_Timer();
    DisableALLAddRemoveButtons();
    HideLists();
  }
  Changed(kViewGrids);
  if (!result.message.empty())
    Message(result.message);
}

// ---------------------------------------------------------------------------------------------
// The download run

void TLiveUpdateSession::StartUpdate_BitBtnClick() {
  if (closed_ || downloadBusy_ || phase_ != Phase::Idle)
    return;
  if (view_.offered.empty()) {
    sys_.ui.Beep();
    return;
  }
  if (!RoomForTheOffer())
    return;
  downloadBusy_ = true;
  view_.gridsEnabled = false;
  Memo("Started Download, Please Wait", "بدأ التنزيل، يرجى الانتظار");
  DisableALLAddRemoveButtons();
  run_.clear();
  for (const TGridRow& row : view_.offered) {
    TRunItem item;
    item.name = row[0];
    const std::int64_t stamp = row[3].empty() ? 0 : DigitsToNumber(DigitsOnly(row[3]));
    item.stamp = stamp > 0 && stamp <= 0xFFFFFFFFll ? static_cast<std::uint32_t>(stamp) : 0;
    item.size = DigitsToNumber(DigitsOnly(row[2]));
    run_.push_back(std::move(item));
  }
  view_.progress2Max = static_cast<int>(run_.size());
  view_.progress2Pos = 0;
  view_.progress2Visible = run_.size() > 1;
  runNext_ = 0;
  runIncomplete_ = false;
  StartStopWatch_Timer(true);
  Changed(kViewGrids | kViewProgress);
  StartNextItem();
}

// The offered items fit on the program folder's disk, with what installing them takes besides
// (RoomForItem); when they do not, the user hears how much room they need and nothing is fetched.
bool TLiveUpdateSession::RoomForTheOffer() {
  std::int64_t needed = 0;
  for (const TGridRow& row : view_.offered)
    needed += RoomForItem(setup_.programFolder, row[0], DigitsToNumber(DigitsOnly(row[2])));
  const std::optional<std::uintmax_t> free = sys_.fs.FreeSpace(setup_.programFolder);
  if (!free || static_cast<std::uintmax_t>(needed) <= *free)
    return true;
  const std::string folder = setup_.programFolder.string();
  const std::string freeText = AddThousandsSeparators(std::to_string(*free));
  const std::string english =
      "Not enough free space on the disk for this update:\r\nthe items need " +
      ThousandsOf(needed) + " bytes, and only " + freeText + " bytes are free in " + folder;
  const std::string arabic = "لا توجد مساحة كافية على القرص لهذه الترقية:\r\nتحتاج البنود إلى " +
                             ThousandsOf(needed) + " بايت، والمتاح " + freeText + " بايت فقط في " +
                             folder;
  Memo(english, arabic);
  Message(ByLanguage(view_.language, english, arabic));
  return false;
}

void TLiveUpdateSession::StartNextItem() {
  while (!closed_) {
    if (stopRequested_ || runNext_ >= run_.size()) {
      FinishRun();
      return;
    }
    const TRunItem& item = run_[runNext_++];
    view_.progress2Pos = static_cast<int>(runNext_);
    view_.progress1Pos = 0;
    // The name passes the rule of plain file names again before it becomes a path.
    const std::optional<TRemoteName> remote = RemoteNameOf(item.name);
    if (!remote) {
      Memo("***INCOMPLETE*** " + item.name, " ***غير كامل***  " + item.name);
      runIncomplete_ = true;
      continue;
    }
    // A file of the final name in another case of letters is the one replaced.
    itemFinal_ = FindFileIgnoringCase(setup_.programFolder, remote->fileName);
    itemTemp_ = TemporaryName(setup_.programFolder, *remote);
    itemListedName_ = AsciiLower(remote->fileName) == AsciiLower(item.name);
    view_.progress1Visible = true;
    Status(Twin("Downloading from: ", "التنزيل من: ") +
           LeftToRight(hostName_ + remote->remotePath));
    DownloadingTo(Twin("Downloading to: ", "التنزيل إلى: ") +
                  LeftToRight((setup_.programFolder / remote->fileName).string()));
    StartTransferStatistics();
    StartStopWatch_Timer(false);
    phase_ = Phase::Item;
    transferFile_ = itemTemp_;
    allowance_ = ItemAllowance(item.size, !itemListedName_);
    transfer_ = client_.Download(remote->remotePath, itemTemp_, allowance_.maxBytes);
    return;
  }
}

void TLiveUpdateSession::OnItemDone(const TransferOutcome& outcome) {
  // The item counts as running until its file is in place, so that the close countdown waits
  // for the messages of a rename.
  transferFile_.clear();
  const TRunItem& item = run_[runNext_ - 1];
  bool installed = false;
  if (Complete(outcome)) {
    if (timerMode_ == kStopwatch)
      carriedBytes_ += outcome.total;
    ShowSuccess(outcome);
    installing_ = true;
    installed = InstallItem(item, outcome);
    installing_ = false;
  } else {
    const TTwinText reason = ShowFailure(outcome, false, itemTemp_);
    Memo("***INCOMPLETE*** " + item.name + Because(reason.english),
         " ***غير كامل***  " + item.name + Because(reason.arabic));
  }
  if (!installed) {
    ForceDeleteFile(itemTemp_, sys_.fs);
    runIncomplete_ = true;
  }
  phase_ = Phase::Idle;
  StartNextItem();
}

// A whole file takes its final name only when it has the size the listing gives (when it is
// fetched under its listed name) and, when the program reads it, reads with the program's own
// reader; the user's own data that it replaces is kept in DOWNLOADED FILES first. False, with the
// reason in the log and on the status line, when it is not put in place.
bool TLiveUpdateSession::InstallItem(const TRunItem& item, const TransferOutcome& outcome) {
  if (itemListedName_ && outcome.received != item.size) {
    const TTwinText differs{
        "The size of " + item.name + " differs from the listing: " + ThousandsOf(outcome.received) +
            " bytes arrived, the listing gives " + ThousandsOf(item.size) + " bytes",
        "حجم " + item.name + " يختلف عن القائمة: وصل " + ThousandsOf(outcome.received) +
            " بايت، والقائمة تذكر " + ThousandsOf(item.size) + " بايت"};
    Memo(differs.english, differs.arabic);
    Status(differs);
    return false;
  }
  const std::string fileName = itemFinal_.filename().string();
  // The listed size bounds the wave inside a sound archive only when the listing names the wave
  // and its archive is fetched; an item listed under its own name gives the archive's size.
  const std::int64_t listedWave = itemListedName_ ? -1 : item.size;
  const TDownloadCheck check =
      CheckDownloadedFile(itemTemp_, fileName, {setup_.clockFaces}, listedWave);
  if (!check.reads) {
    Memo("***NOT INSTALLED*** " + item.name + ": it does not read, nothing is replaced\n" +
             LogLines(check.english),
         " ***لم يثبت***  " + item.name + ": لا يمكن قراءته، ولم يستبدل به شيء\n" +
             LogLines(check.arabic));
    Status(Twin("Not installed, it does not read: ", "لم يثبت لأنه لا يمكن قراءته: ") + item.name);
    return false;
  }
  if (KeptBeforeReplacement(fileName) && IsFile(itemFinal_)) {
    const fs::path folder =
        FindFileIgnoringCase(setup_.programFolder, std::string(kDownloadedFilesFolder));
    std::error_code ec;
    fs::create_directories(folder, ec);
    const TKeptCopy kept =
        KeepDatedCopy(itemFinal_, folder, std::chrono::system_clock::now(), sys_.fs);
    if (kept.error != 0) {
      Memo("***NOT INSTALLED*** " + item.name + ": no copy of your " + fileName +
               " could be kept, nothing is replaced\n" +
               LogLines(FileWriteErrorText(folder, kept.error, Language::English)),
           " ***لم يثبت***  " + item.name + ": تعذر حفظ نسخة من " + fileName +
               "، ولم يستبدل به شيء\n" +
               LogLines(FileWriteErrorText(folder, kept.error, Language::Arabic)));
      Status(Twin("Not installed, no copy of the old file could be kept: ",
                  "لم يثبت لتعذر حفظ نسخة من الملف القديم: ") +
             item.name);
      return false;
    }
    Memo("Your " + fileName + " is kept as " + kept.copy.string(),
         "حفظت نسخة من " + fileName + " باسم " + kept.copy.string());
    if (!kept.removed.empty()) {
      std::string names;
      for (const fs::path& old : kept.removed)
        names += (names.empty() ? "" : ", ") + old.filename().string();
      Memo("The oldest copies are deleted, the newest " + std::to_string(kKeptCopies) +
               " stay: " + names,
           "حذفت أقدم النسخ، وتبقى أحدث " + std::to_string(kKeptCopies) + ": " + names);
    }
  }
  Memo("Download Success: " + item.name, " نجح التنزيل " + item.name);
  // A date that cannot be set is reported and the file still counts.
  SetFileDateAndAttributes(itemTemp_, item.stamp, sys_);
  if (AsciiUpper(itemTemp_.stem().string()).ends_with(".EXE"))
    MakeExecutable(itemTemp_);
  if (!SafeRenameFile(itemTemp_, itemFinal_, sys_)) {
    Memo("***INCOMPLETE*** " + item.name, " ***غير كامل***  " + item.name);
    return false;
  }
  ++downloadedFileCount_;
  RemoveFetchedRow(item.name);
  return true;
}

void TLiveUpdateSession::FinishRun() {
  downloadBusy_ = false;
  view_.gridsEnabled = true;
  if (stopRequested_) {
    // Close was pressed: the dialog closes once the run has ended.
    if (timerMode_ != kCloseCountdown)
      StartClose_Timer();
  } else if (runIncomplete_) {
    // The user may try again or close.
    StopStopWatch_Timer();
    EnableALLAddRemoveButtons();
    if (view_.ignored.empty())
      view_.allowEnabled = false;
    if (view_.offered.empty())
      view_.preventEnabled = false;
  } else {
    StartClose_Timer();
  }
  Changed(kViewGrids | kViewProgress);
}

// The fetched item leaves the offer; it is not moved to the ignored items.
void TLiveUpdateSession::RemoveFetchedRow(const std::string& name) {
  const auto row = std::find_if(view_.offered.begin(), view_.offered.end(),
                                [&](const TGridRow& r) { return r[0] == name; });
  if (row == view_.offered.end())
    return;
  view_.offered.erase(row);
  if (view_.offered.empty())
    view_.preventEnabled = false;
  ValidateBothSG_Rows();
  Changed(kViewGrids);
}

// ---------------------------------------------------------------------------------------------
// Cancel

void TLiveUpdateSession::Cancel_BitBtnClick() {
  if (closed_)
    return;
  stopRequested_ = true;
  ++cancelPressCount_;
  if ((TransferRunning() && cancelPressCount_ == 1) || installing_) {
    // The first press lets the running transfer finish and starts nothing more; a whole item
    // being put in place is never cut off, however often Close is pressed, and the text says so
    // rather than offer a second press that would not abort it.
    closingText_ = installing_
                       ? Twin("Will stop once the current item is in place",
                              "سيتوقف التنزيل بعد وضع البند الحالي في مكانه")
                       : Twin(
                             "Will stop after current item finishes downloading\nTo abort before "
                             "completion of this download,\npress Close again",
                             "سيتوقف التنزيل بعد انتهاء البند الحالي\nلإيقاف هذا التنزيل قبل "
                             "اكتماله\nاضغط إغلاق مرة أخرى");
    view_.closing = closingText_.In(view_.language);
    view_.hostVisible = false;
    view_.downloadingToVisible = false;
    view_.progress2Visible = false;
    view_.closingVisible = true;
    StartClose_Timer();
    Changed(kViewLabels | kViewProgress);
    return;
  }
  // A later press, or one with nothing being fetched: stop at once.
  const bool item = phase_ == Phase::Item;
  const std::string name = item ? run_[runNext_ - 1].name : std::string();
  AbortTransfer();
  if (item) {
    Memo("***INCOMPLETE*** " + name, " ***غير كامل***  " + name);
    runIncomplete_ = true;
  }
  DoDisconnect();
  Memo("closing... if program does not respond, please try again",
       "جاري الإغلاق... إذا لم يستجب البرنامج، يرجى المحاولة مرة أخرى");
  if (downloadBusy_) {
    downloadBusy_ = false;
    view_.gridsEnabled = true;
  }
  activating_ = false;
  StartClose_Timer();
  Changed(kViewGrids | kViewLabels);
}

void TLiveUpdateSession::AbortTransfer() {
  if (phase_ == Phase::Idle)
    return;
  client_.Abort();
  if (!transferFile_.empty())
    ForceDeleteFile(transferFile_, sys_.fs);
  transferFile_.clear();
  phase_ = Phase::Idle;
  transfer_ = 0;
}

void TLiveUpdateSession::DoDisconnect() {
  Status(Twin("Disconnecting", "جاري قطع الاتصال"));
  Memo("Disconnecting", "جاري قطع الاتصال");
  if (client_.Connected())
    client_.Disconnect();
  if (client_.Busy())
    client_.Abort();
  Memo("Disconnected", "انقطع الاتصال");
}

// ---------------------------------------------------------------------------------------------
// The timer

void TLiveUpdateSession::StartStopWatch_Timer(bool reset) {
  timerMode_ = kStopwatch;
  if (reset) {
    stopwatchStart_ = sys_.clock.Now();
    stopwatchSeconds_ = 0;
    carriedBytes_ = 0;
  }
  if (!timer_.Enabled())
    timer_.Start();
}

void TLiveUpdateSession::StopStopWatch_Timer() {
  timerMode_ = kStopped;
  timer_.Stop();
}

void TLiveUpdateSession::StartClose_Timer() {
  if (timerMode_ != kCloseCountdown)
    timer_.Stop();
  timerMode_ = kCloseCountdown;
  if (!timer_.Enabled())
    timer_.Start();
}

void TLiveUpdateSession::TaskTimer_Timer() {
  if (closed_) {
    timer_.Stop();
    return;
  }
  switch (timerMode_) {
    case kStopwatch:
      stopwatchSeconds_ =
          std::chrono::duration_cast<std::chrono::seconds>(sys_.clock.Now() - stopwatchStart_)
              .count();
      break;
    case kCloseCountdown:
      // Never while the opening runs, a transfer runs, or a handler waits (a message, a rename
      // retried): the session it runs in must outlive it.
      if (activating_ || phase_ != Phase::Idle || handlers_ > 0)
        return;
      timer_.Stop();
      if (onCloseRequested)
        onCloseRequested();
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// The grids

void TLiveUpdateSession::ValidateBothSG_Rows() {
  auto validate = [](int& row, std::size_t count) {
    if (count == 0)
      row = -1;
    else
      row = std::clamp(row, 0, static_cast<int>(count) - 1);
  };
  validate(view_.offeredRow, view_.offered.size());
  validate(view_.ignoredRow, view_.ignored.size());
}

void TLiveUpdateSession::SelectOffered(int row) {
  view_.offeredRow = row;
  ValidateBothSG_Rows();
  Changed(kViewGrids);
}

void TLiveUpdateSession::SelectIgnored(int row) {
  view_.ignoredRow = row;
  ValidateBothSG_Rows();
  Changed(kViewGrids);
}

void TLiveUpdateSession::RemoveOne() {
  if (!listsEditable_) {
    sys_.ui.Beep();
    return;
  }
  ValidateBothSG_Rows();
  if (view_.offeredRow >= 0) {
    ignoreListChanged_ = true;
    view_.allowEnabled = true;
    view_.ignored.push_back(view_.offered[static_cast<std::size_t>(view_.offeredRow)]);
    view_.offered.erase(view_.offered.begin() + view_.offeredRow);
    if (view_.offered.empty())
      view_.preventEnabled = false;
  }
  ValidateBothSG_Rows();
  Changed(kViewGrids);
  if (saveEachMove_)
    SaveIgnore();
}

void TLiveUpdateSession::AddOne() {
  if (!listsEditable_) {
    sys_.ui.Beep();
    return;
  }
  ValidateBothSG_Rows();
  if (view_.ignoredRow >= 0) {
    ignoreListChanged_ = true;
    view_.preventEnabled = true;
    view_.offered.push_back(view_.ignored[static_cast<std::size_t>(view_.ignoredRow)]);
    view_.ignored.erase(view_.ignored.begin() + view_.ignoredRow);
    if (view_.ignored.empty())
      view_.allowEnabled = false;
  }
  ValidateBothSG_Rows();
  Changed(kViewGrids);
  if (saveEachMove_)
    SaveIgnore();
}

void TLiveUpdateSession::RemoveAll() {
  if (!listsEditable_) {
    sys_.ui.Beep();
    return;
  }
  saveEachMove_ = false;
  view_.offeredRow = static_cast<int>(view_.offered.size()) - 1;
  while (!view_.offered.empty())
    RemoveOne();
  saveEachMove_ = true;
  SaveIgnore();
}

void TLiveUpdateSession::AddAll() {
  if (!listsEditable_) {
    sys_.ui.Beep();
    return;
  }
  saveEachMove_ = false;
  view_.ignoredRow = static_cast<int>(view_.ignored.size()) - 1;
  while (!view_.ignored.empty())
    AddOne();
  saveEachMove_ = true;
  SaveIgnore();
}

void TLiveUpdateSession::SaveIgnore() {
  if (!ignoreListChanged_)
    return;
  const std::string error =
      SaveIgnoreFile(IgnoreFilePath(setup_), view_.ignored, view_.language, sys_.fs);
  if (error.empty())
    ignoreListChanged_ = false;
  else
    Message(error);
}

void TLiveUpdateSession::EnableALLAddRemoveButtons() {
  view_.preventEnabled = true;
  view_.allowEnabled = true;
  listsEditable_ = true;
  Changed(kViewGrids);
}

void TLiveUpdateSession::DisableALLAddRemoveButtons() {
  view_.preventEnabled = false;
  view_.allowEnabled = false;
  listsEditable_ = false;
  Changed(kViewGrids);
}

void TLiveUpdateSession::ShowLists() {
  view_.listsVisible = true;
  Changed(kViewLists);
}

void TLiveUpdateSession::HideLists() {
  view_.listsVisible = false;
  Changed(kViewLists);
}

void TLiveUpdateSession::SetDialogLanguage() {
  RecaptionShownTexts();
  Changed(kViewLanguage | kViewLabels | kViewProgress | kViewGrids);
}

void TLiveUpdateSession::RecaptionShownTexts() {
  view_.status = statusText_.In(view_.language);
  view_.downloadingTo = downloadingToText_.In(view_.language);
  view_.closing = closingText_.In(view_.language);
  ShowStatistics();
  for (std::vector<TGridRow>* rows : {&view_.offered, &view_.ignored}) {
    for (TGridRow& row : *rows)
      RecaptionGridRow(row, view_.language, setup_.comparison);
  }
}

void TLiveUpdateSession::ArEn_SpeedButtonClick() {
  view_.language = view_.language == Language::Arabic ? Language::English : Language::Arabic;
  SetDialogLanguage();
  if (onLanguageSwitched)
    onLanguageSwitched(view_.language);
}

}  // namespace vek
