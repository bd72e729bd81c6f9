// The update server's client over libcurl, driven by the Qt event loop through libcurl's multi
// socket interface: the sockets libcurl asks to watch become socket notifiers and its time-outs
// a timer, so that transfers run without a thread of their own while the dialog stays alive.
//
// Only ftp and http (and https when the base address asks for it, with certificates checked)
// are allowed; no redirect is followed; the proxy is the configured one and never the
// environment's. Over FTP every transfer opens a connection of its own (anonymous, no password,
// passive unless configured active). Events are collected while libcurl runs and delivered
// after it has returned. Once connected, a transfer that hears nothing for the FTP reply
// time-out (waiting for a reply) or the data time-out (receiving data) fails as timed out.
#pragma once

#include <curl/curl.h>

#include <QObject>
#include <QTimer>

#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "liveupdate/live_update_config.h"
#include "liveupdate/transfer_client.h"

class QSocketNotifier;

namespace vek {

class CurlTransferClient : public QObject, public TransferClient {
  Q_OBJECT

 public:
  explicit CurlTransferClient(TLiveUpdateServer server, QObject* parent = nullptr);
  ~CurlTransferClient() override;
  CurlTransferClient(const CurlTransferClient&) = delete;
  CurlTransferClient& operator=(const CurlTransferClient&) = delete;

  void SetEventSink(EventSink sink) override;
  std::string HostName() const override;
  int Connect() override;
  int List(const std::string& remoteFolder) override;
  int Download(const std::string& remotePath, const std::filesystem::path& localFile) override;
  void Disconnect() override;
  bool Connected() const override { return connected_; }
  void Abort() override;
  bool Busy() const override { return transfer_ != nullptr; }

 private:
  struct Transfer;
  struct Watch {
    QSocketNotifier* read = nullptr;
    QSocketNotifier* write = nullptr;
  };

  int Start(TransferCommand command, const std::string& path, const std::filesystem::path& file);
  // Sets the options of a transfer; false when the configuration is not usable.
  bool Configure(Transfer& transfer, const std::string& url);
  void FailAtStart(int id, TransferCommand command, TransferFailure failure, int error,
                   const std::string& text);
  void WatchSocket(curl_socket_t socket, int what);
  void OnSocket(curl_socket_t socket, int flags);
  void OnTimeout();
  void Watchdog();
  void CollectDone();
  void Finish(CURLcode code);
  void EndTransfer();
  void MakeMulti();
  void DropMulti();
  void Queue(TransferEvent event);
  void PostDispatch();
  void Dispatch();

  static int SocketCallback(CURL* easy, curl_socket_t socket, int what, void* client, void*);
  static int TimerCallback(CURLM* multi, long milliseconds, void* client);
  static size_t WriteCallback(char* data, size_t size, size_t count, void* transfer);
  static int DebugCallback(CURL* easy, curl_infotype type, char* data, size_t size, void* transfer);
  static curl_socket_t OpenSocketCallback(void* transfer, curlsocktype purpose,
                                          struct curl_sockaddr* address);

  TLiveUpdateServer server_;
  EventSink sink_;
  CURLM* multi_ = nullptr;
  std::unique_ptr<Transfer> transfer_;
  QTimer timer_;
  QTimer watchdog_;  // the time-outs of replies and data, which libcurl checks only when woken
  std::map<curl_socket_t, Watch> watches_;
  std::deque<TransferEvent> queue_;
  bool connected_ = false;
  int nextId_ = 1;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace vek
