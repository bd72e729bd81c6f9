// One running copy of the program per program folder and user. The running copy listens on a
// local socket whose name comes from the user id and a hash of the program folder; a second
// start connects to it, sends "activate" and ends, and the running copy comes to the front.
// Copies in different folders have different names and run side by side.
//
// The socket lives in a folder that only the user may enter ($XDG_RUNTIME_DIR, or a folder of
// their own under /tmp with mode 0700, or, when another user made that one first, one under
// their cache or home folder) and only the user may use it. A listener that runs as another
// user counts as absent: it is never sent "activate" and its name is taken over, so that nobody
// else can keep the program from starting, nor turn the single start off.
//
// Start-up: unless the program restarts after a Live Update, ActivateRunning() first; when it
// returns true the process ends with 0 and touches nothing. Then Listen(): without a Live Update
// with no retry, after one with a few seconds, while the old process closes. When Listen fails,
// the program runs all the same, only without being woken by later starts.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/private_folder.h"

class QLocalServer;
class QLocalSocket;
class QWidget;

namespace vek {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // owner: the user a running copy must run as to count (the tests give another one).
  explicit SingleInstance(QString serverName, uid_t owner = ::getuid(), QObject* parent = nullptr);
  ~SingleInstance() override;

  // Where the sockets of a user may live.
  struct SocketPlaces {
    std::optional<std::filesystem::path> runtimeDir;  // $XDG_RUNTIME_DIR
    std::filesystem::path tmp;                        // the system's temporary folder
    std::filesystem::path cacheHome;  // $XDG_CACHE_HOME, else ~/.cache; empty without a home
    std::filesystem::path home;       // $HOME; empty without one
  };
  // The owner of a folder, given the owner the system reports; tests pretend that another user
  // made a folder.
  using OwnerOf = FolderOwner;

  // The folder of the sockets for user uid, the first of these that is a real folder of uid's
  // that nobody else may enter and whose sockets' paths fit a socket address: runtimeDir;
  // tmp/vek-<uid>; cacheHome/vek-<machine>; home/.vek-<machine> (<machine>: eight letters from
  // the host name, for home folders that several machines share). The last three are made with
  // mode 0700 when missing and given that mode when they are uid's own; a link or another user's
  // folder is passed over and left as it is. Nothing when none will do: the program then runs
  // without the single-instance rule.
  static std::optional<std::filesystem::path> SocketFolder(const SocketPlaces& places, uid_t uid,
                                                           const OwnerOf& ownerOf = {});

  // The path of the socket in the SocketFolder of this process's places and user:
  // "vek-<user id>-<hash of the folder>"; the same folder reached by another spelling (a
  // symbolic link, "..") gives the same name. Empty when there is no socket folder.
  static QString ServerName(const std::filesystem::path& programFolder);
  // The same in the given socket folder.
  static QString ServerName(const std::filesystem::path& programFolder,
                            const std::filesystem::path& socketFolder);

  const QString& Name() const { return name_; }

  // Connects to a running copy of the same user and sends it "activate"; true when it was
  // delivered.
  bool ActivateRunning();

  // Listens for later starts. When the name is held by a live copy, tries again until retryFor
  // has passed (processing events while it waits) and then fails; the socket left by a copy that
  // crashed is taken over. True while listening.
  bool Listen(std::chrono::milliseconds retryFor);
  bool IsListening() const;

 signals:
  // A later start asked the running copy to come to the front.
  void activateRequested();

 private:
  void AcceptConnections();
  void ReadRequest(QLocalSocket* socket);

  // Whether a copy of owner_ accepts connections under the name.
  bool OwnCopyAlive() const;

  QString name_;
  uid_t owner_;
  QLocalServer* server_ = nullptr;
};

// The running copy's answer to "activate": restores the main window from minimised or from the
// tray and brings it to the front, then brings the dialog that was active before (a modal or a
// popup) in front of it again.
void BringToFront(QWidget* mainWindow);

}  // namespace vek
