#include "liveupdate/curl_transfer_client.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "foundation/file_io.h"
#include "liveupdate/live_update_files.h"

namespace vek {

struct CurlTransferClient::Transfer {
  CurlTransferClient* owner = nullptr;
  int id = 0;
  TransferCommand command = TransferCommand::Download;
  CURL* easy = nullptr;
  FileDescriptor file;
  std::int64_t received = 0;
  bool started = false;
  bool resolved = false;
  bool rejected = false;  // HTTP: a reply other than 200, whose body is not written
  int fileError = 0;      // errno of writing the local file
  std::chrono::steady_clock::time_point lastHeard;  // the last reply or data
  std::string replyLine;
  std::string lineBuffer;  // FTP LIST: the start of a line not yet ended
  char error[CURL_ERROR_SIZE] = {};
};

namespace {

std::once_flag curlInit;

std::string TrimLineEnd(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
    line.pop_back();
  return line;
}

long Seconds(std::chrono::milliseconds ms) {
  return std::max<long>(1, static_cast<long>((ms.count() + 999) / 1000));
}

}  // namespace

CurlTransferClient::CurlTransferClient(TLiveUpdateServer server, QObject* parent)
    : QObject(parent), server_(std::move(server)) {
  std::call_once(curlInit, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { OnTimeout(); });
  watchdog_.setInterval(250);
  connect(&watchdog_, &QTimer::timeout, this, [this] { Watchdog(); });
  MakeMulti();
}

CurlTransferClient::~CurlTransferClient() {
  alive_.reset();
  sink_ = nullptr;
  Abort();
  DropMulti();
}

void CurlTransferClient::MakeMulti() {
  multi_ = curl_multi_init();
  curl_multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &CurlTransferClient::SocketCallback);
  curl_multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
  curl_multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &CurlTransferClient::TimerCallback);
  curl_multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
}

// Closes the connections kept for reuse along with the multi handle.
void CurlTransferClient::DropMulti() {
  if (multi_ != nullptr)
    curl_multi_cleanup(multi_);
  multi_ = nullptr;
  timer_.stop();
  for (auto& [socket, watch] : watches_) {
    for (QSocketNotifier* n : {watch.read, watch.write}) {
      if (n != nullptr) {
        n->setEnabled(false);
        n->deleteLater();
      }
    }
  }
  watches_.clear();
}

void CurlTransferClient::SetEventSink(EventSink sink) {
  sink_ = std::move(sink);
}

std::string CurlTransferClient::HostName() const {
  return ServerHostName(server_);
}

int CurlTransferClient::Connect() {
  return Start(TransferCommand::Connect, "/", {});
}

int CurlTransferClient::List(const std::string& remoteFolder) {
  std::string folder = remoteFolder;
  if (folder.empty() || folder.back() != '/')
    folder += '/';
  return Start(TransferCommand::List, folder, {});
}

int CurlTransferClient::Download(const std::string& remotePath,
                                 const std::filesystem::path& localFile) {
  return Start(TransferCommand::Download, remotePath, localFile);
}

void CurlTransferClient::Disconnect() {
  if (!connected_)
    return;
  connected_ = false;
  if (!transfer_) {
    DropMulti();
    MakeMulti();
  }
  TransferEvent event;
  event.kind = TransferEvent::Disconnected;
  Queue(std::move(event));
  PostDispatch();
}

void CurlTransferClient::Abort() {
  if (!transfer_)
    return;
  const int id = transfer_->id;
  EndTransfer();
  std::erase_if(queue_, [id](const TransferEvent& e) { return e.transfer == id; });
}

void CurlTransferClient::EndTransfer() {
  if (!transfer_)
    return;
  // The transfer leaves the multi handle before it is freed; a connection in the middle of a
  // transfer is closed, not kept.
  std::unique_ptr<Transfer> transfer = std::move(transfer_);
  watchdog_.stop();
  if (transfer->easy != nullptr) {
    curl_multi_remove_handle(multi_, transfer->easy);
    curl_easy_cleanup(transfer->easy);
  }
}

int CurlTransferClient::Start(TransferCommand command, const std::string& path,
                              const std::filesystem::path& file) {
  Abort();
  const int id = nextId_++;
  const std::optional<std::string> url = ServerUrl(server_, path);
  if (!url) {
    FailAtStart(id, command, TransferFailure::InvalidHost, CURLE_URL_MALFORMAT,
                "*Error: Invalid Host: " + HostName());
    return id;
  }
  auto transfer = std::make_unique<Transfer>();
  transfer->owner = this;
  transfer->id = id;
  transfer->command = command;
  if (command == TransferCommand::Download) {
    transfer->file = FileDescriptor(
        ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (transfer->file.get() < 0) {
      const int e = errno;
      FailAtStart(id, command, TransferFailure::LocalFile, CURLE_WRITE_ERROR,
                  file.string() + ": " + std::strerror(e));
      return id;
    }
  }
  transfer->easy = curl_easy_init();
  if (transfer->easy == nullptr || !Configure(*transfer, *url)) {
    if (transfer->easy != nullptr)
      curl_easy_cleanup(transfer->easy);
    FailAtStart(id, command, TransferFailure::InvalidHost, CURLE_URL_MALFORMAT,
                "*Error: Invalid Host: " + HostName());
    return id;
  }
  transfer->lastHeard = std::chrono::steady_clock::now();
  transfer_ = std::move(transfer);
  watchdog_.start();
  if (curl_multi_add_handle(multi_, transfer_->easy) != CURLM_OK) {
    EndTransfer();
    FailAtStart(id, command, TransferFailure::Other, CURLE_FAILED_INIT, "curl_multi_add_handle");
  }
  return id;
}

void CurlTransferClient::FailAtStart(int id, TransferCommand command, TransferFailure failure,
                                     int error, const std::string& text) {
  TransferEvent event;
  event.kind = TransferEvent::Done;
  event.transfer = id;
  event.outcome.command = command;
  event.outcome.failure = failure;
  event.outcome.errorCode = error;
  event.outcome.errorText = text;
  Queue(std::move(event));
  PostDispatch();
}

bool CurlTransferClient::Configure(Transfer& t, const std::string& url) {
  CURL* e = t.easy;
  const bool ftp = server_.kind == TransferKind::Ftp;
  curl_easy_setopt(e, CURLOPT_URL, url.c_str());
  curl_easy_setopt(e, CURLOPT_PRIVATE, &t);
  curl_easy_setopt(e, CURLOPT_ERRORBUFFER, t.error);
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(server_.connectTimeout.count()));
  // A transfer that receives nothing for the data time-out fails.
  curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, Seconds(server_.dataTimeout));
  curl_easy_setopt(e, CURLOPT_OPENSOCKETFUNCTION, &CurlTransferClient::OpenSocketCallback);
  curl_easy_setopt(e, CURLOPT_OPENSOCKETDATA, &t);
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &CurlTransferClient::WriteCallback);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, &t);
  curl_easy_setopt(e, CURLOPT_DEBUGFUNCTION, &CurlTransferClient::DebugCallback);
  curl_easy_setopt(e, CURLOPT_DEBUGDATA, &t);
  curl_easy_setopt(e, CURLOPT_VERBOSE, 1L);
  if (t.command == TransferCommand::Connect)
    curl_easy_setopt(e, CURLOPT_CONNECT_ONLY, 1L);
  if (ftp) {
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(e, CURLOPT_PROXY, "");
    curl_easy_setopt(e, CURLOPT_USERNAME, "anonymous");
    curl_easy_setopt(e, CURLOPT_PASSWORD, "");
    curl_easy_setopt(e, CURLOPT_SERVER_RESPONSE_TIMEOUT, Seconds(server_.replyTimeout));
    curl_easy_setopt(e, CURLOPT_FTPPORT, server_.ftpPassive ? nullptr : "-");
    curl_easy_setopt(e, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(e, CURLOPT_TRANSFERTEXT, t.command == TransferCommand::List ? 1L : 0L);
    // A connection of its own for every transfer: reusing one stalls between files.
    curl_easy_setopt(e, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(e, CURLOPT_FORBID_REUSE, 1L);
    return true;
  }
  const std::optional<THttpBase> base = ParseHttpBase(server_.httpBase);
  if (!base)
    return false;
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, base->scheme == "https" ? "https" : "http");
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(e, CURLOPT_USERAGENT, ("Zurivo-Zazir/" + std::string(kVekVersion)).c_str());
  if (server_.proxyHost.empty()) {
    curl_easy_setopt(e, CURLOPT_PROXY, "");
  } else {
    if (!IsHostName(server_.proxyHost))
      return false;
    const std::string proxy =
        "http://" + server_.proxyHost + ":" + std::to_string(server_.proxyPort);
    curl_easy_setopt(e, CURLOPT_PROXY, proxy.c_str());
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// libcurl's callbacks: they only record and queue.

int CurlTransferClient::SocketCallback(CURL*, curl_socket_t socket, int what, void* client, void*) {
  static_cast<CurlTransferClient*>(client)->WatchSocket(socket, what);
  return 0;
}

int CurlTransferClient::TimerCallback(CURLM*, long milliseconds, void* client) {
  auto* self = static_cast<CurlTransferClient*>(client);
  self->timer_.stop();
  if (milliseconds >= 0)
    self->timer_.start(static_cast<int>(std::min<long>(milliseconds, 24L * 3600 * 1000)));
  return 0;
}

size_t CurlTransferClient::WriteCallback(char* data, size_t size, size_t count, void* transfer) {
  auto* t = static_cast<Transfer*>(transfer);
  CurlTransferClient* self = t->owner;
  const size_t bytes = size * count;
  t->lastHeard = std::chrono::steady_clock::now();
  if (self->server_.kind == TransferKind::Http) {
    long status = 0;
    curl_easy_getinfo(t->easy, CURLINFO_RESPONSE_CODE, &status);
    if (status != 200) {
      // An error page or a redirect is never written as the file.
      t->rejected = true;
      return 0;
    }
  }
  if (!t->started) {
    t->started = true;
    TransferEvent event;
    event.kind = TransferEvent::TransactionStart;
    event.transfer = t->id;
    self->Queue(std::move(event));
  }
  if (t->command == TransferCommand::List) {
    t->lineBuffer.append(data, bytes);
    std::size_t end;
    while ((end = t->lineBuffer.find('\n')) != std::string::npos) {
      TransferEvent event;
      event.kind = TransferEvent::ListLine;
      event.transfer = t->id;
      event.text = TrimLineEnd(t->lineBuffer.substr(0, end));
      t->lineBuffer.erase(0, end + 1);
      self->Queue(std::move(event));
    }
  } else if (t->file.get() >= 0) {
    if (const int e = WriteAll(t->file.get(), std::string_view(data, bytes)); e != 0) {
      t->fileError = e;
      return 0;
    }
  }
  t->received += static_cast<std::int64_t>(bytes);
  curl_off_t total = -1;
  curl_easy_getinfo(t->easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &total);
  TransferEvent event;
  event.kind = TransferEvent::Progress;
  event.transfer = t->id;
  event.received = t->received;
  event.total = total;
  self->Queue(std::move(event));
  return bytes;
}

int CurlTransferClient::DebugCallback(CURL*, curl_infotype type, char* data, size_t size,
                                      void* transfer) {
  auto* t = static_cast<Transfer*>(transfer);
  CurlTransferClient* self = t->owner;
  const bool ftp = self->server_.kind == TransferKind::Ftp;
  if (type == CURLINFO_HEADER_IN) {
    t->lastHeard = std::chrono::steady_clock::now();
    std::string line = TrimLineEnd(std::string(data, size));
    if (ftp) {
      TransferEvent event;
      event.kind = TransferEvent::Status;
      event.transfer = t->id;
      if (line.size() >= 3 &&
          std::all_of(line.begin(), line.begin() + 3, [](char c) { return c >= '0' && c <= '9'; }))
        event.code = std::stol(line.substr(0, 3));
      event.text = std::move(line);
      self->Queue(std::move(event));
    } else if (line.starts_with("HTTP/")) {
      t->replyLine = std::move(line);
    }
  } else if (type == CURLINFO_HEADER_OUT && !ftp) {
    TransferEvent event;
    event.kind = TransferEvent::RequestHeaders;
    event.transfer = t->id;
    event.text.assign(data, size);
    self->Queue(std::move(event));
  }
  return 0;
}

curl_socket_t CurlTransferClient::OpenSocketCallback(void* transfer, curlsocktype purpose,
                                                     struct curl_sockaddr* address) {
  auto* t = static_cast<Transfer*>(transfer);
  if (purpose == CURLSOCKTYPE_IPCXN && !t->resolved) {
    t->resolved = true;
    TransferEvent event;
    event.kind = TransferEvent::HostResolved;
    event.transfer = t->id;
    t->owner->Queue(std::move(event));
  }
  return ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
}

// ---------------------------------------------------------------------------------------------
// The event loop's side

void CurlTransferClient::WatchSocket(curl_socket_t socket, int what) {
  const auto found = watches_.find(socket);
  if (what == CURL_POLL_REMOVE) {
    if (found != watches_.end()) {
      for (QSocketNotifier* n : {found->second.read, found->second.write}) {
        if (n != nullptr) {
          // It may be the notifier whose signal is being handled: freed later.
          n->setEnabled(false);
          n->deleteLater();
        }
      }
      watches_.erase(found);
    }
    return;
  }
  Watch& watch = watches_[socket];
  const bool in = (what & CURL_POLL_IN) != 0;
  const bool out = (what & CURL_POLL_OUT) != 0;
  if (in && watch.read == nullptr) {
    watch.read = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    connect(watch.read, &QSocketNotifier::activated, this,
            [this, socket] { OnSocket(socket, CURL_CSELECT_IN); });
  }
  if (out && watch.write == nullptr) {
    watch.write = new QSocketNotifier(socket, QSocketNotifier::Write, this);
    connect(watch.write, &QSocketNotifier::activated, this,
            [this, socket] { OnSocket(socket, CURL_CSELECT_OUT); });
  }
  if (watch.read != nullptr)
    watch.read->setEnabled(in);
  if (watch.write != nullptr)
    watch.write->setEnabled(out);
}

void CurlTransferClient::OnSocket(curl_socket_t socket, int flags) {
  int running = 0;
  curl_multi_socket_action(multi_, socket, flags, &running);
  CollectDone();
  Dispatch();
}

void CurlTransferClient::OnTimeout() {
  int running = 0;
  curl_multi_socket_action(multi_, CURL_SOCKET_TIMEOUT, 0, &running);
  CollectDone();
  Dispatch();
}

void CurlTransferClient::Watchdog() {
  if (!transfer_)
    return;
  Transfer& t = *transfer_;
  curl_off_t connectTime = 0;
  curl_easy_getinfo(t.easy, CURLINFO_CONNECT_TIME_T, &connectTime);
  if (connectTime == 0)
    return;  // connecting: the connect time-out applies
  const bool waitingForReply = server_.kind == TransferKind::Ftp && !t.started;
  const std::chrono::milliseconds limit =
      waitingForReply ? server_.replyTimeout : server_.dataTimeout;
  const auto silent = std::chrono::steady_clock::now() - t.lastHeard;
  if (silent < limit)
    return;
  std::snprintf(t.error, sizeof t.error, "%s after %lld ms",
                waitingForReply ? "No reply from the server" : "No data from the server",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(silent).count()));
  Finish(CURLE_OPERATION_TIMEDOUT);
  Dispatch();
}

void CurlTransferClient::CollectDone() {
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
    if (message->msg == CURLMSG_DONE && transfer_ && message->easy_handle == transfer_->easy)
      Finish(message->data.result);
  }
}

void CurlTransferClient::Finish(CURLcode code) {
  Transfer& t = *transfer_;
  TransferOutcome o;
  o.command = t.command;
  o.received = t.received;
  curl_off_t total = -1;
  curl_easy_getinfo(t.easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &total);
  o.total = total;
  curl_easy_getinfo(t.easy, CURLINFO_RESPONSE_CODE, &o.replyCode);
  o.replyLine = t.replyLine;
  curl_off_t connectTime = 0;
  curl_easy_getinfo(t.easy, CURLINFO_CONNECT_TIME_T, &connectTime);
  switch (code) {
    case CURLE_OK:
      if (server_.kind == TransferKind::Http && t.command != TransferCommand::Connect &&
          o.replyCode != 200)
        o.failure = TransferFailure::HttpStatus;
      break;
    case CURLE_WRITE_ERROR:
      o.failure = t.rejected ? TransferFailure::HttpStatus : TransferFailure::LocalFile;
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
      o.failure = connectTime == 0 ? TransferFailure::ConnectionFailed : TransferFailure::TimedOut;
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
  // A connection that could not be made for any reason but a name or a login is a failed
  // connection.
  if (t.command == TransferCommand::Connect && o.failure != TransferFailure::None &&
      o.failure != TransferFailure::InvalidHost &&
      o.failure != TransferFailure::AuthenticationFailed)
    o.failure = TransferFailure::ConnectionFailed;
  if (code != CURLE_OK) {
    o.errorCode = code;
    o.errorText = t.error[0] != '\0' ? std::string(t.error) : curl_easy_strerror(code);
  }
  if (t.fileError != 0)
    o.errorText = std::strerror(t.fileError);
  if (t.command == TransferCommand::List && !t.lineBuffer.empty()) {
    TransferEvent line;
    line.kind = TransferEvent::ListLine;
    line.transfer = t.id;
    line.text = TrimLineEnd(t.lineBuffer);
    Queue(std::move(line));
  }
  // The file is on disk before the caller renames it into place.
  if (t.file.get() >= 0) {
    const bool synced = !o.Succeeded() || ::fsync(t.file.get()) == 0;
    const int closed = t.file.Close();
    if (o.Succeeded() && (!synced || closed != 0)) {
      o.failure = TransferFailure::LocalFile;
      o.errorCode = CURLE_WRITE_ERROR;
      o.errorText = std::strerror(errno);
    }
  }
  if (t.command == TransferCommand::Connect && o.Succeeded())
    connected_ = true;
  const int id = t.id;
  EndTransfer();
  TransferEvent done;
  done.kind = TransferEvent::Done;
  done.transfer = id;
  done.outcome = std::move(o);
  Queue(std::move(done));
}

void CurlTransferClient::Queue(TransferEvent event) {
  // Progress reports that the handler has not seen yet are replaced by the newest.
  if (event.kind == TransferEvent::Progress && !queue_.empty() &&
      queue_.back().kind == TransferEvent::Progress && queue_.back().transfer == event.transfer) {
    queue_.back() = std::move(event);
    return;
  }
  queue_.push_back(std::move(event));
}

void CurlTransferClient::PostDispatch() {
  QMetaObject::invokeMethod(
      this, [this] { Dispatch(); }, Qt::QueuedConnection);
}

void CurlTransferClient::Dispatch() {
  const std::weak_ptr<bool> alive = alive_;
  while (!queue_.empty()) {
    const TransferEvent event = std::move(queue_.front());
    queue_.pop_front();
    const EventSink sink = sink_;
    if (sink)
      sink(event);
    // A handler may have closed the dialog and freed this client.
    if (alive.expired())
      return;
  }
}

}  // namespace vek
