#include "mainwin/single_instance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/private_folder.h"
#include "platform/system_folders.h"

namespace vek {

namespace {

const QByteArray kActivate = QByteArrayLiteral("activate");

// A connection to a local socket succeeds or is refused at once; the time only covers a copy
// whose queue of new connections is full.
constexpr int kConnectTimeoutMs = 1000;
// A caller that connects and sends nothing is dropped after this.
constexpr int kRequestTimeoutMs = 3000;
constexpr std::chrono::milliseconds kRetryInterval{50};

// The folder in one spelling: absolute, with links and "." and ".." resolved where it exists.
std::filesystem::path NormalFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::path result = std::filesystem::absolute(folder, error);
  if (error)
    result = folder;
  std::filesystem::path canonical = std::filesystem::weakly_canonical(result, error);
  result = error ? result.lexically_normal() : canonical.lexically_normal();
  if (!result.has_filename() && result.has_relative_path())
    result = result.parent_path();
  return result;
}

// Whether the process at the other end of a connected local socket runs as uid.
bool PeerIs(const QLocalSocket& socket, uid_t uid) {
  ucred peer{};
  socklen_t size = sizeof peer;
  const auto fd = static_cast<int>(socket.socketDescriptor());
  return fd >= 0 && ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
         size == sizeof peer && peer.uid == uid;
}

// The socket's name in its folder: "vek-<user id>-<hash of the program folder>".
std::string SocketLeaf(const std::filesystem::path& programFolder) {
  const std::string folder = NormalFolder(programFolder).native();
  const QByteArray hash =
      QCryptographicHash::hash(QByteArray(folder.data(), static_cast<qsizetype>(folder.size())),
                               QCryptographicHash::Sha256)
          .toHex()
          .left(16);
  return "vek-" + std::to_string(::getuid()) + "-" + hash.toStdString();
}

// Whether the path of a socket in folder fits a local socket's address (107 bytes and a NUL).
bool SocketsFit(const std::filesystem::path& folder) {
  constexpr std::size_t kMaxSocketPath = sizeof(sockaddr_un::sun_path) - 1;
  return folder.native().size() + 1 + SocketLeaf("/").size() <= kMaxSocketPath;
}

// Eight letters for this machine, from its host name.
std::string MachineTag() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0)
    name[0] = '\0';
  return QCryptographicHash::hash(QByteArray(name), QCryptographicHash::Sha256)
      .toHex()
      .left(8)
      .toStdString();
}

// Waits, letting the event loop run, so that the copy which holds the name can close meanwhile.
void Wait(std::chrono::milliseconds time) {
  QEventLoop loop;
  QTimer::singleShot(time, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void Finish(QLocalSocket* socket, QObject* receiver) {
  socket->disconnect(receiver);
  socket->abort();
  socket->deleteLater();
}

}  // namespace

SingleInstance::SingleInstance(QString serverName, uid_t owner, QObject* parent)
    : QObject(parent),
      name_(std::move(serverName)),
      owner_(owner),
      server_(new QLocalServer(this)) {
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnections);
}

SingleInstance::~SingleInstance() = default;

std::optional<std::filesystem::path> SingleInstance::SocketFolder(const SocketPlaces& places,
                                                                  uid_t uid,
                                                                  const OwnerOf& ownerOf) {
  if (places.runtimeDir && places.runtimeDir->is_absolute() &&
      IsPrivateFolder(*places.runtimeDir, uid, ownerOf) && SocketsFit(*places.runtimeDir))
    return *places.runtimeDir;
  // The folder of the user's own under the temporary folder; when another user made it first,
  // or its sockets' paths would be too long, one that only the user can make: in the cache
  // folder, else in the home folder, named for this machine, so that machines that share the
  // home folder keep their sockets apart.
  std::vector<std::filesystem::path> candidates = {places.tmp / ("vek-" + std::to_string(uid))};
  const std::string machine = MachineTag();
  if (places.cacheHome.is_absolute())
    candidates.push_back(places.cacheHome / ("vek-" + machine));
  if (places.home.is_absolute())
    candidates.push_back(places.home / (".vek-" + machine));
  for (const std::filesystem::path& folder : candidates) {
    if (SocketsFit(folder) && MakePrivateFolder(folder, uid, ownerOf) == 0)
      return folder;
  }
  return std::nullopt;
}

QString SingleInstance::ServerName(const std::filesystem::path& programFolder) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  SocketPlaces places;
  if (runtime && *runtime)
    places.runtimeDir = runtime;
  places.tmp = "/tmp";
  places.cacheHome = XdgCacheHome();
  places.home = HomeFolder();
  const auto folder = SocketFolder(places, ::getuid());
  return folder ? ServerName(programFolder, *folder) : QString();
}

QString SingleInstance::ServerName(const std::filesystem::path& programFolder,
                                   const std::filesystem::path& socketFolder) {
  return QString::fromStdString(socketFolder.native()) + u'/' +
         QString::fromStdString(SocketLeaf(programFolder));
}

bool SingleInstance::OwnCopyAlive() const {
  QLocalSocket probe;
  probe.connectToServer(name_);
  const bool alive = probe.waitForConnected(kConnectTimeoutMs) && PeerIs(probe, owner_);
  probe.abort();
  return alive;
}

bool SingleInstance::ActivateRunning() {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectTimeoutMs))
    return false;
  // Another user's listener is told nothing, and this start goes on.
  if (!PeerIs(socket, owner_))
    return false;
  if (socket.write(kActivate) != kActivate.size())
    return false;
  while (socket.bytesToWrite() > 0) {
    if (!socket.waitForBytesWritten(kConnectTimeoutMs))
      return false;
  }
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState)
    socket.waitForDisconnected(kConnectTimeoutMs);
  return true;
}

bool SingleInstance::Listen(std::chrono::milliseconds retryFor) {
  if (server_->isListening())
    return true;
  const QDeadlineTimer deadline(retryFor);
  // Only the user may connect: the folder is theirs alone, and so is the socket.
  const auto listen = [this] {
    if (!server_->listen(name_))
      return false;
    ::chmod(QFile::encodeName(server_->fullServerName()).constData(), 0600);
    return true;
  };
  for (;;) {
    if (listen())
      return true;
    if (server_->serverError() != QAbstractSocket::AddressInUseError)
      return false;
    // The name is taken: by a live copy, by the socket of one that crashed, or by another
    // user's listener, which counts as absent.
    if (!OwnCopyAlive() && QLocalServer::removeServer(name_) && listen())
      return true;
    if (deadline.hasExpired())
      return false;
    const auto remaining =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline.remainingTimeAsDuration());
    Wait(std::clamp(remaining, std::chrono::milliseconds{1}, kRetryInterval));
  }
}

bool SingleInstance::IsListening() const {
  return server_->isListening();
}

void SingleInstance::AcceptConnections() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] { ReadRequest(socket); });
    QTimer::singleShot(kRequestTimeoutMs, socket, [this, socket] { Finish(socket, this); });
    ReadRequest(socket);
  }
}

void SingleInstance::ReadRequest(QLocalSocket* socket) {
  if (socket->bytesAvailable() >= kActivate.size()) {
    const bool activate = socket->read(kActivate.size()) == kActivate;
    Finish(socket, this);
    if (activate)
      emit activateRequested();
    return;
  }
  // A caller that closed without a whole request, such as the probe of a start that waits.
  if (socket->state() != QLocalSocket::ConnectedState)
    Finish(socket, this);
}

void BringToFront(QWidget* mainWindow) {
  if (!mainWindow)
    return;
  // The form in front before anything changes: an open dialog comes back in front.
  QPointer<QWidget> front = QApplication::activeModalWidget();
  if (!front)
    front = QApplication::activePopupWidget();
  if (!front)
    front = QApplication::activeWindow();

  // Out of the tray or from minimised; a maximised window stays maximised.
  mainWindow->setWindowState((mainWindow->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  mainWindow->show();
  mainWindow->raise();
  mainWindow->activateWindow();

  if (front && front != mainWindow && front->isVisible()) {
    front->raise();
    front->activateWindow();
  }
}

}  // namespace vek
