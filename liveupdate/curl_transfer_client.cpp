#include "liveupdate/curl_transfer_client.h"

#include <QPointer>

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "liveupdate/live_update_files.h"
#include "platform/file_descriptor.h"
#include "platform/file_system.h"

namespace vek {

namespace {

using SteadyClock = std::chrono::steady_clock;

std::once_flag curlInit;

// How much later than the watchdog libcurl's own time-outs of data and replies come.
constexpr std::chrono::seconds kBackstop(2);

std::string TrimLineEnd(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
    line.pop_back();
  return line;
}

long Seconds(std::chrono::milliseconds ms) {
  return std::max<long>(1, static_cast<long>((ms.count() + 999) / 1000));
}

std::int64_t NowTicks() {
  return SteadyClock::now().time_since_epoch().count();
}

// A transfer that could not be made for any reason but a name or a login is a failed
// connection.
void ConnectFailureIsAFailedConnection(TransferOutcome& o) {
  if (o.command == TransferCommand::Connect && o.failure != TransferFailure::None &&
      o.failure != TransferFailure::InvalidHost &&
      o.failure != TransferFailure::AuthenticationFailed)
    o.failure = TransferFailure::ConnectionFailed;
}

TransferEvent DoneEvent(int id, TransferOutcome outcome) {
  TransferEvent done;
  done.kind = TransferEvent::Done;
  done.transfer = id;
  done.outcome = std::move(outcome);
  return done;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The mailbox: any thread posts, the event loop takes.

struct CurlTransferClient::Mailbox {
  std::mutex mutex;
  std::deque<TransferEvent> events;
  CurlTransferClient* client = nullptr;  // null once the client is gone
  bool posted = false;                   // a delivery is on its way to the event loop

  void Post(TransferEvent event) {
    const std::lock_guard lock(mutex);
    if (client == nullptr)
      return;
    // However fast a server talks, what waits for the event loop stays small: a progress report
    // or status line it has not seen yet gives way to the newest (a refused login's excepted),
    // and the lines of a listing join the lines before them.
    TransferEvent* last =
        events.empty() || events.back().transfer != event.transfer ? nullptr : &events.back();
    if (last != nullptr && last->kind == event.kind &&
        (event.kind == TransferEvent::Progress ||
         (event.kind == TransferEvent::Status && last->code != 530))) {
      *last = std::move(event);
    } else if (last != nullptr && last->kind == event.kind &&
               event.kind == TransferEvent::ListLines) {
      last->text.append("\n").append(event.text);
    } else {
      events.push_back(std::move(event));
    }
    if (!posted) {
      posted = true;
      CurlTransferClient* target = client;
      // Posted while the client exists (it nulls client under this lock before it goes); a
      // delivery still pending when it goes is dropped with its other posted events.
      QMetaObject::invokeMethod(
          target, [target] { target->Dispatch(); }, Qt::QueuedConnection);
    }
  }

  std::deque<TransferEvent> Take() {
    const std::lock_guard lock(mutex);
    posted = false;
    return std::exchange(events, {});
  }
};

// ---------------------------------------------------------------------------------------------
// One transfer on its thread. Set up on the event loop's thread; from its start, the easy
// handle, the file and the fields marked "thread" belong to the thread.

class CurlTransferClient::Job {
 public:
  Job(int id, TransferCommand command, TransferKind kind, std::int64_t maxBytes,
      std::shared_ptr<Mailbox> mailbox)
      : id_(id), command_(command), kind_(kind), maxBytes_(maxBytes), mailbox_(std::move(mailbox)) {
    lastHeard_ = NowTicks();
  }
  ~Job() {
    if (easy_ != nullptr)
      curl_easy_cleanup(easy_);
  }
  Job(const Job&) = delete;
  Job& operator=(const Job&) = delete;

  int Id() const { return id_; }
  CURL* Easy() const { return easy_; }
  void SetEasy(CURL* easy) { easy_ = easy; }
  void SetFile(FileDescriptor file) { file_ = std::move(file); }

  // The options of the transfer; false when the configuration is not usable.
  bool Configure(const TLiveUpdateServer& server, const std::string& url) {
    CURL* e = easy_;
    const bool ftp = server.kind == TransferKind::Ftp;
    curl_easy_setopt(e, CURLOPT_URL, url.c_str());
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, error_);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(server.connectTimeout.count()));
    // The time-outs of data and replies are the watchdog's; libcurl's own come later and only
    // end a thread that nobody waits for any more.
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, Seconds(server.dataTimeout + kBackstop));
    curl_easy_setopt(e, CURLOPT_OPENSOCKETFUNCTION, &Job::OpenSocketCallback);
    curl_easy_setopt(e, CURLOPT_OPENSOCKETDATA, this);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Job::WriteCallback);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(e, CURLOPT_DEBUGFUNCTION, &Job::DebugCallback);
    curl_easy_setopt(e, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, &Job::ProgressCallback);
    curl_easy_setopt(e, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(e, CURLOPT_VERBOSE, 1L);
    if (command_ == TransferCommand::Connect)
      curl_easy_setopt(e, CURLOPT_CONNECT_ONLY, 1L);
    if (ftp) {
      curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "ftp");
      curl_easy_setopt(e, CURLOPT_PROXY, "");
      curl_easy_setopt(e, CURLOPT_USERNAME, "anonymous");
      curl_easy_setopt(e, CURLOPT_PASSWORD, "");
      curl_easy_setopt(e, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                       Seconds(server.replyTimeout + kBackstop));
      curl_easy_setopt(e, CURLOPT_FTPPORT, server.ftpPassive ? nullptr : "-");
      curl_easy_setopt(e, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
      curl_easy_setopt(e, CURLOPT_TRANSFERTEXT, command_ == TransferCommand::List ? 1L : 0L);
      return true;
    }
    const std::optional<THttpBase> base = ParseHttpBase(server.httpBase);
    if (!base)
      return false;
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, base->scheme == "https" ? "https" : "http");
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(e, CURLOPT_USERAGENT, ("Zurivo-Zazir/" + std::string(kVekVersion)).c_str());
    if (server.proxyHost.empty()) {
      curl_easy_setopt(e, CURLOPT_PROXY, "");
    } else {
      if (!IsHostName(server.proxyHost))
        return false;
      const std::string proxy =
          "http://" + server.proxyHost + ":" + std::to_string(server.proxyPort);
      curl_easy_setopt(e, CURLOPT_PROXY, proxy.c_str());
    }
    return true;
  }

  // The thread's work: the transfer, its outcome, and the end of its connection.
  void Run() {
    Finish(curl_easy_perform(easy_));
    // Over FTP this says QUIT and may wait for the answer: on this thread, stopping nothing.
    curl_easy_cleanup(easy_);
    easy_ = nullptr;
  }

  // From the event loop: nothing more is written or told. Waits only for a write in progress.
  void Cancel() {
    const std::lock_guard lock(mutex_);
    cancelled_ = true;
  }
  // From the event loop: the transfer has been silent too long. Its outcome is the time-out,
  // unless it has one already; false then.
  bool GiveUp(TransferOutcome& outcome, const TLiveUpdateServer& server) {
    const std::lock_guard lock(mutex_);
    if (cancelled_ || finished_)
      return false;
    if (!connected_)
      return false;  // connecting: libcurl's connect time-out applies
    const bool ftp = kind_ == TransferKind::Ftp;
    const std::int64_t total = total_;
    const bool allData = total >= 0 && received_ >= total;
    const bool waitingForReply = ftp && (!started_ || allData);
    const std::chrono::milliseconds limit =
        waitingForReply ? server.replyTimeout : server.dataTimeout;
    const auto silent = std::chrono::duration_cast<std::chrono::milliseconds>(
        SteadyClock::duration(NowTicks() - lastHeard_));
    if (silent < limit)
      return false;
    outcome.command = command_;
    outcome.failure = TransferFailure::TimedOut;
    outcome.errorCode = CURLE_OPERATION_TIMEDOUT;
    outcome.errorText = std::string(!waitingForReply ? "No data from the server"
                                    : started_       ? "No final reply from the server"
                                                     : "No reply from the server") +
                        " after " + std::to_string(silent.count()) + " ms";
    outcome.received = received_;
    outcome.total = total;
    outcome.replyCode = lastReplyCode_;
    outcome.replyLine = lastReplyLine_;
    ConnectFailureIsAFailedConnection(outcome);
    finished_ = true;
    cancelled_ = true;
    return true;
  }

  // libcurl's callbacks, on the thread.
  static size_t WriteCallback(char* data, size_t size, size_t count, void* job) {
    return static_cast<Job*>(job)->Write(data, size * count);
  }
  static int DebugCallback(CURL*, curl_infotype type, char* data, size_t size, void* job) {
    static_cast<Job*>(job)->Debug(type, std::string_view(data, size));
    return 0;
  }
  static int ProgressCallback(void* job, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Job*>(job)->Progress();
  }
  static curl_socket_t OpenSocketCallback(void* job, curlsocktype purpose,
                                          struct curl_sockaddr* address) {
    auto* self = static_cast<Job*>(job);
    if (purpose == CURLSOCKTYPE_IPCXN && !self->resolved_) {
      self->resolved_ = true;
      TransferEvent event;
      event.kind = TransferEvent::HostResolved;
      self->Post(std::move(event));
    }
    return ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
  }

 private:
  void Heard() { lastHeard_ = NowTicks(); }

  // Posts an event of this transfer, unless it is over for the event loop.
  void Post(TransferEvent event) {
    const std::lock_guard lock(mutex_);
    PostLocked(std::move(event));
  }
  void PostLocked(TransferEvent event) {
    if (cancelled_ || finished_)
      return;
    event.transfer = id_;
    if (event.kind == TransferEvent::Done)
      finished_ = true;
    mailbox_->Post(std::move(event));
  }

  // The transfer has ended for a reason of its own before libcurl returns (which over FTP may
  // take a while): the event loop hears of it now.
  void EndEarly(TransferFailure failure, std::string text) {
    TransferOutcome o = Outcome(CURLE_WRITE_ERROR);
    o.failure = failure;
    o.errorText = std::move(text);
    Post(DoneEvent(id_, std::move(o)));
  }

  size_t Write(const char* data, size_t bytes) {
    Heard();
    {
      const std::lock_guard lock(mutex_);
      if (cancelled_ || finished_)
        return 0;
    }
    if (kind_ == TransferKind::Http) {
      long status = 0;
      curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
      if (status != 200) {
        // An error page or a redirect is never written as the file.
        rejected_ = true;
        return 0;
      }
    }
    curl_off_t announced = -1;
    curl_easy_getinfo(easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
    total_ = announced;
    const auto arriving = static_cast<std::int64_t>(bytes);
    if (announced > maxBytes_ || received_ + arriving > maxBytes_) {
      EndEarly(TransferFailure::TooLarge,
               "more than the " + std::to_string(maxBytes_) + " bytes allowed");
      return 0;
    }
    if (announced >= 0 && received_ + arriving > announced) {
      EndEarly(TransferFailure::TooLarge,
               "more than the " + std::to_string(announced) + " bytes announced");
      return 0;
    }
    if (!started_) {
      started_ = true;
      TransferEvent event;
      event.kind = TransferEvent::TransactionStart;
      Post(std::move(event));
    }
    if (command_ == TransferCommand::List) {
      lineBuffer_.append(data, bytes);
      std::size_t end;
      while ((end = lineBuffer_.find('\n')) != std::string::npos) {
        TransferEvent event;
        event.kind = TransferEvent::ListLines;
        event.text = TrimLineEnd(lineBuffer_.substr(0, end));
        lineBuffer_.erase(0, end + 1);
        Post(std::move(event));
      }
    } else if (file_.get() >= 0) {
      // Under the lock, so that nothing is written once the event loop has cancelled.
      const std::lock_guard lock(mutex_);
      if (cancelled_ || finished_)
        return 0;
      if (const int e = WriteAll(file_.get(), std::string_view(data, bytes)); e != 0) {
        fileError_ = e;
        return 0;
      }
    }
    received_ += arriving;
    TransferEvent event;
    event.kind = TransferEvent::Progress;
    event.received = received_;
    event.total = announced;
    Post(std::move(event));
    return bytes;
  }

  void Debug(curl_infotype type, std::string_view data) {
    const bool ftp = kind_ == TransferKind::Ftp;
    if (type == CURLINFO_HEADER_IN) {
      Heard();
      std::string line = TrimLineEnd(std::string(data));
      if (ftp) {
        TransferEvent event;
        event.kind = TransferEvent::Status;
        if (line.size() >= 3 && std::all_of(line.begin(), line.begin() + 3,
                                            [](char c) { return c >= '0' && c <= '9'; }))
          event.code = std::stol(line.substr(0, 3));
        {
          const std::lock_guard lock(mutex_);
          lastReplyCode_ = event.code;
          lastReplyLine_ = line;
        }
        event.text = std::move(line);
        Post(std::move(event));
      } else if (line.starts_with("HTTP/")) {
        const std::lock_guard lock(mutex_);
        lastReplyLine_ = std::move(line);
      }
    } else if (type == CURLINFO_HEADER_OUT && !ftp) {
      TransferEvent event;
      event.kind = TransferEvent::RequestHeaders;
      event.text.assign(data);
      Post(std::move(event));
    }
  }

  // Called at least about once a second, also while libcurl waits for a reply: a cancelled
  // transfer ends here.
  int Progress() {
    curl_off_t connectTime = 0;
    curl_easy_getinfo(easy_, CURLINFO_CONNECT_TIME_T, &connectTime);
    const std::lock_guard lock(mutex_);
    if (connectTime > 0 && !connected_) {
      connected_ = true;
      lastHeard_ = NowTicks();
    }
    return cancelled_ ? 1 : 0;
  }

  TransferOutcome Outcome(CURLcode code) {
    TransferOutcome o;
    o.command = command_;
    o.received = received_;
    curl_off_t total = -1;
    curl_easy_getinfo(easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &total);
    o.total = total;
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &o.replyCode);
    {
      const std::lock_guard lock(mutex_);
      o.replyLine = lastReplyLine_;
    }
    const char* redirect = nullptr;
    if (curl_easy_getinfo(easy_, CURLINFO_REDIRECT_URL, &redirect) == CURLE_OK &&
        redirect != nullptr)
      o.redirectUrl = redirect;
    if (code != CURLE_OK) {
      o.errorCode = code;
      o.errorText = error_[0] != '\0' ? std::string(error_) : curl_easy_strerror(code);
    }
    return o;
  }

  void Finish(CURLcode code) {
    TransferOutcome o = Outcome(code);
    curl_off_t connectTime = 0;
    curl_easy_getinfo(easy_, CURLINFO_CONNECT_TIME_T, &connectTime);
    switch (code) {
      case CURLE_OK:
        if (kind_ == TransferKind::Http && command_ != TransferCommand::Connect &&
            o.replyCode != 200)
          o.failure = TransferFailure::HttpStatus;
        break;
      case CURLE_WRITE_ERROR:
        o.failure = rejected_ ? TransferFailure::HttpStatus : TransferFailure::LocalFile;
        break;
      case CURLE_COULDNT_RESOLVE_HOST:
      case CURLE_COULDNT_RESOLVE_PROXY:
      case CURLE_URL_MALFORMAT:
      case CURLE_UNSUPPORTED_PROTOCOL:
        o.failure = TransferFailure::InvalidHost;
        break;
      case CURLE_COULDNT_CONNECT:
        o.failure = TransferFailure::ConnectionFailed;
        break;
      case CURLE_OPERATION_TIMEDOUT:
        o.failure =
            connectTime == 0 ? TransferFailure::ConnectionFailed : TransferFailure::TimedOut;
        break;
      case CURLE_LOGIN_DENIED:
        o.failure = TransferFailure::AuthenticationFailed;
        break;
      case CURLE_REMOTE_FILE_NOT_FOUND:
      case CURLE_FTP_COULDNT_RETR_FILE:
      case CURLE_REMOTE_ACCESS_DENIED:
        o.failure = TransferFailure::NotFound;
        break;
      case CURLE_PARTIAL_FILE:
      case CURLE_RECV_ERROR:
      case CURLE_SEND_ERROR:
      case CURLE_GOT_NOTHING:
        o.failure = TransferFailure::Incomplete;
        break;
      default:
        o.failure = TransferFailure::Other;
        break;
    }
    ConnectFailureIsAFailedConnection(o);
    if (fileError_ != 0) {
      o.fileErrno = fileError_;
      o.errorText = std::strerror(fileError_);
    }
    if (command_ == TransferCommand::List && !lineBuffer_.empty()) {
      TransferEvent line;
      line.kind = TransferEvent::ListLines;
      line.text = TrimLineEnd(lineBuffer_);
      Post(std::move(line));
    }
    // The file is on disk before the event loop renames it into place.
    if (file_.get() >= 0) {
      const bool synced = !o.Succeeded() || ::fsync(file_.get()) == 0;
      const int closed = file_.Close();
      if (o.Succeeded() && (!synced || closed != 0)) {
        o.failure = TransferFailure::LocalFile;
        o.errorCode = CURLE_WRITE_ERROR;
        o.fileErrno = errno;
        o.errorText = std::strerror(o.fileErrno);
      }
    }
    Post(DoneEvent(id_, std::move(o)));
  }

  const int id_;
  const TransferCommand command_;
  const TransferKind kind_;
  const std::int64_t maxBytes_;
  const std::shared_ptr<Mailbox> mailbox_;
  CURL* easy_ = nullptr;
  FileDescriptor file_;
  char error_[CURL_ERROR_SIZE] = {};

  // Shared with the event loop.
  std::mutex mutex_;
  bool cancelled_ = false;  // the event loop wants nothing more of it
  bool finished_ = false;   // its outcome is posted
  bool connected_ = false;
  long lastReplyCode_ = 0;
  std::string lastReplyLine_;
  std::atomic<std::int64_t> lastHeard_{0};  // the last reply or data, in steady ticks
  std::atomic<std::int64_t> received_{0};
  std::atomic<std::int64_t> total_{-1};
  std::atomic<bool> started_{false};

  // Thread only.
  bool resolved_ = false;
  bool rejected_ = false;   // HTTP: a reply other than 200, whose body is not written
  int fileError_ = 0;       // errno of writing the local file
  std::string lineBuffer_;  // FTP LIST: the start of a line not yet ended
};

// ---------------------------------------------------------------------------------------------
// The event loop's side

CurlTransferClient::CurlTransferClient(TLiveUpdateServer server, QObject* parent)
    : QObject(parent), server_(std::move(server)), mailbox_(std::make_shared<Mailbox>()) {
  std::call_once(curlInit, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  mailbox_->client = this;
  watchdog_.setInterval(250);
  connect(&watchdog_, &QTimer::timeout, this, [this] { Watchdog(); });
}

CurlTransferClient::~CurlTransferClient() {
  {
    const std::lock_guard lock(mailbox_->mutex);
    mailbox_->client = nullptr;
  }
  sink_ = nullptr;
  Release();
}

void CurlTransferClient::SetEventSink(EventSink sink) {
  sink_ = std::move(sink);
}

std::string CurlTransferClient::HostName() const {
  return ServerHostName(server_);
}

int CurlTransferClient::Connect() {
  return Start(TransferCommand::Connect, "/", {}, 0);
}

int CurlTransferClient::List(const std::string& remoteFolder, std::int64_t maxBytes) {
  std::string folder = remoteFolder;
  if (folder.empty() || folder.back() != '/')
    folder += '/';
  return Start(TransferCommand::List, folder, {}, maxBytes);
}

int CurlTransferClient::Download(const std::string& remotePath,
                                 const std::filesystem::path& localFile, std::int64_t maxBytes) {
  return Start(TransferCommand::Download, remotePath, localFile, maxBytes);
}

void CurlTransferClient::Disconnect() {
  if (!connected_)
    return;
  connected_ = false;
  TransferEvent event;
  event.kind = TransferEvent::Disconnected;
  mailbox_->Post(std::move(event));
}

void CurlTransferClient::Abort() {
  Release();
}

void CurlTransferClient::Release() {
  if (job_)
    job_->Cancel();
  job_.reset();
  current_ = 0;
  watchdog_.stop();
}

int CurlTransferClient::Start(TransferCommand command, const std::string& path,
                              const std::filesystem::path& file, std::int64_t maxBytes) {
  Abort();
  const int id = nextId_++;
  current_ = id;
  const std::optional<std::string> url = ServerUrl(server_, path);
  if (!url) {
    FailAtStart(id, command, TransferFailure::InvalidHost, CURLE_URL_MALFORMAT,
                "*Error: Invalid Host: " + HostName());
    return id;
  }
  auto job = std::make_shared<Job>(id, command, server_.kind, std::max<std::int64_t>(0, maxBytes),
                                   mailbox_);
  if (command == TransferCommand::Download) {
    // A new file: whatever had the name (a link too) goes first.
    ::unlink(file.c_str());
    FileDescriptor fd(
        ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (fd.get() < 0) {
      const int e = errno;
      FailAtStart(id, command, TransferFailure::LocalFile, CURLE_WRITE_ERROR,
                  file.string() + ": " + std::strerror(e), e);
      return id;
    }
    job->SetFile(std::move(fd));
  }
  job->SetEasy(curl_easy_init());
  if (job->Easy() == nullptr || !job->Configure(server_, *url)) {
    FailAtStart(id, command, TransferFailure::InvalidHost, CURLE_URL_MALFORMAT,
                "*Error: Invalid Host: " + HostName());
    return id;
  }
  try {
    std::thread([job] { job->Run(); }).detach();
  } catch (const std::system_error& e) {
    FailAtStart(id, command, TransferFailure::Other, CURLE_FAILED_INIT, e.what());
    return id;
  }
  job_ = std::move(job);
  watchdog_.start();
  return id;
}

void CurlTransferClient::FailAtStart(int id, TransferCommand command, TransferFailure failure,
                                     int error, const std::string& text, int fileErrno) {
  TransferOutcome o;
  o.command = command;
  o.failure = failure;
  o.errorCode = error;
  o.errorText = text;
  o.fileErrno = fileErrno;
  mailbox_->Post(DoneEvent(id, std::move(o)));
}

void CurlTransferClient::Watchdog() {
  if (!job_)
    return;
  TransferOutcome outcome;
  if (!job_->GiveUp(outcome, server_))
    return;
  mailbox_->Post(DoneEvent(job_->Id(), std::move(outcome)));
}

void CurlTransferClient::Dispatch() {
  const QPointer<CurlTransferClient> self(this);
  std::deque<TransferEvent> events = mailbox_->Take();
  while (!events.empty()) {
    TransferEvent event = std::move(events.front());
    events.pop_front();
    // Events of a transfer that is over or aborted are no longer told.
    if (event.transfer != 0 && event.transfer != current_)
      continue;
    if (event.kind == TransferEvent::Done) {
      Release();
      if (event.outcome.command == TransferCommand::Connect && event.outcome.Succeeded())
        connected_ = true;
    }
    const EventSink sink = sink_;
    if (sink)
      sink(event);
    // A handler may have closed the dialog and freed this client.
    if (self.isNull())
      return;
  }
}

}  // namespace vek
