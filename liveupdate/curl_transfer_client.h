// The update server's client over libcurl. Each transfer runs curl_easy_perform on a thread of
// its own, with a connection of its own; what it hears is posted to the Qt event loop, where the
// events are delivered. The session and every handler stay on the event loop's thread, which
// never calls into libcurl while a transfer runs: libcurl waits for an FTP server's final reply
// ("226") and for its answer to QUIT in blocking loops (up to the reply time-out, whatever
// interface drives it), and on a thread of its own such a wait stops no window. A transfer that
// is aborted or given up is left to its thread, which no longer writes or tells anything and
// ends within about a second.
//
// Only ftp and http (and https when the base address asks for it, with certificates checked)
// are allowed; no redirect is followed; the proxy is the configured one and never the
// environment's. FTP logs in as anonymous without a password, passive unless configured
// active. Once connected, a transfer that hears nothing for the FTP reply time-out (waiting for
// a reply, the final one included) or the data time-out (receiving data) fails as timed out.
#pragma once

#include <QObject>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <string>

#include "liveupdate/live_update_config.h"
#include "liveupdate/transfer_client.h"

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
  int List(const std::string& remoteFolder, std::int64_t maxBytes) override;
  int Download(const std::string& remotePath, const std::filesystem::path& localFile,
               std::int64_t maxBytes) override;
  void Disconnect() override;
  bool Connected() const override { return connected_; }
  void Abort() override;
  bool Busy() const override { return current_ != 0; }

 private:
  class Job;       // one transfer on its thread
  struct Mailbox;  // the events on their way to the event loop

  int Start(TransferCommand command, const std::string& path, const std::filesystem::path& file,
            std::int64_t maxBytes);
  // Ends transfer id before it began; fileErrno: why its local file could not be made.
  void FailAtStart(int id, TransferCommand command, TransferFailure failure, int error,
                   const std::string& text, int fileErrno = 0);
  void Watchdog();
  void Dispatch();
  // The running transfer is over for the event loop: its thread stops and tells nothing more.
  void Release();

  TLiveUpdateServer server_;
  EventSink sink_;
  std::shared_ptr<Mailbox> mailbox_;
  std::shared_ptr<Job> job_;  // the running transfer's thread, when it has one
  int current_ = 0;           // the number of the running transfer; 0: none
  QTimer watchdog_;           // the time-outs of replies and data
  bool connected_ = false;
  int nextId_ = 1;
};

}  // namespace vek
