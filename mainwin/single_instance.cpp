#include "mainwin/single_instance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include <algorithm>
#include <system_error>
#include <utility>

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

// Whether a live copy accepts connections under the name.
bool ServerAlive(const QString& name) {
  QLocalSocket probe;
  probe.connectToServer(name);
  const bool alive = probe.waitForConnected(kConnectTimeoutMs);
  probe.abort();
  return alive;
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

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), name_(std::move(serverName)), server_(new QLocalServer(this)) {
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnections);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName(const std::filesystem::path& programFolder) {
  const std::string folder = NormalFolder(programFolder).native();
  const QByteArray hash =
      QCryptographicHash::hash(QByteArray(folder.data(), static_cast<qsizetype>(folder.size())),
                               QCryptographicHash::Sha256)
          .toHex()
          .left(16);
  return QStringLiteral("vek-%1-%2")
      .arg(static_cast<qulonglong>(::getuid()))
      .arg(QString::fromLatin1(hash));
}

bool SingleInstance::ActivateRunning() {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectTimeoutMs))
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
  for (;;) {
    if (server_->listen(name_))
      return true;
    if (server_->serverError() != QAbstractSocket::AddressInUseError)
      return false;
    // The name is taken: by a live copy, or by the socket of one that crashed.
    if (!ServerAlive(name_) && QLocalServer::removeServer(name_) && server_->listen(name_))
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
