// One running copy of the program per program folder and user. The running copy listens on a
// local socket whose name comes from the user id and a hash of the program folder; a second
// start connects to it, sends "activate" and ends, and the running copy comes to the front.
// Copies in different folders have different names and run side by side.
//
// Start-up: unless the program restarts after a Live Update, ActivateRunning() first; when it
// returns true the process ends with 0 and touches nothing. Then Listen(): without a Live Update
// with no retry, after one with a few seconds, while the old process closes. When Listen fails,
// the program runs all the same, only without being woken by later starts.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <chrono>
#include <filesystem>

class QLocalServer;
class QLocalSocket;
class QWidget;

namespace vek {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  explicit SingleInstance(QString serverName, QObject* parent = nullptr);
  ~SingleInstance() override;

  // "vek-<user id>-<hash of the folder>"; the same folder reached by another spelling (a
  // symbolic link, "..") gives the same name.
  static QString ServerName(const std::filesystem::path& programFolder);

  const QString& Name() const { return name_; }

  // Connects to a running copy and sends it "activate"; true when it was delivered.
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

  QString name_;
  QLocalServer* server_ = nullptr;
};

// The running copy's answer to "activate": restores the main window from minimised or from the
// tray and brings it to the front, then brings the dialog that was active before (a modal or a
// popup) in front of it again.
void BringToFront(QWidget* mainWindow);

}  // namespace vek
