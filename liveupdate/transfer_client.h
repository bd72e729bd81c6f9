// The update server's client as the Live Update session sees it: one interface for FTP and
// HTTP. Every operation returns at once and starts one transfer; what happens is told through
// events, delivered on the thread of the event loop and never from inside the network library,
// so that a handler may start the next transfer, abort, or show a message. No transfer receives
// more than the bytes its caller allows: a server that sends without end fills no disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace vek {

enum class TransferKind { Ftp, Http };

// The operations of the client.
enum class TransferCommand {
  Connect,   // reach the server (and log in over FTP)
  List,      // FTP: the lines of a folder's listing
  Download,  // a file into a local file (an HTTP GET)
};

// Why a transfer did not succeed.
enum class TransferFailure {
  None,                  // the transport reported success
  InvalidHost,           // the server's or the proxy's name is no host or cannot be resolved
  ConnectionFailed,      // refused, unreachable, or no connection within the connect time-out
  AuthenticationFailed,  // the FTP server refused the login
  TimedOut,              // no data or no reply within its time-out
  HttpStatus,            // a reply other than 200: an error page or a redirect (never followed)
  NotFound,              // the FTP server has no such file or folder
  Incomplete,            // the connection ended before the announced size had arrived
  TooLarge,              // more bytes than the caller allows, or than the server announced
  LocalFile,             // the local file could not be created or written
  Other,
};

struct TransferOutcome {
  TransferCommand command = TransferCommand::Download;
  TransferFailure failure = TransferFailure::None;
  int errorCode = 0;  // the network library's code
  std::string errorText;
  int fileErrno = 0;        // LocalFile: why the local file could not be made or written
  long replyCode = 0;       // the HTTP status, or the FTP server's last reply
  std::string replyLine;    // HTTP: the status line; FTP: the server's last reply line
  std::string redirectUrl;  // HTTP: where a redirect pointed (never followed)
  std::int64_t received = 0;
  std::int64_t total = -1;  // the size the server announced; -1: none
  bool Succeeded() const { return failure == TransferFailure::None; }
};

struct TransferEvent {
  enum Kind {
    HostResolved,      // the server's address is known; connecting
    TransactionStart,  // the first bytes of the data arrived
    Progress,          // received and total
    Status,            // a reply line of the server (text) with its code
    RequestHeaders,    // HTTP: the header lines of the request sent (text)
    ListLines,         // lines of an FTP listing (text: one, or several separated by '\n')
    Disconnected,      // the session's connection was closed
    Done,              // the transfer ended: outcome
  };
  Kind kind = Done;
  int transfer = 0;  // the transfer it belongs to (0 for Disconnected)
  std::string text;
  long code = 0;
  std::int64_t received = 0;
  std::int64_t total = -1;
  TransferOutcome outcome;
};

class TransferClient {
 public:
  using EventSink = std::function<void(const TransferEvent&)>;

  virtual ~TransferClient() = default;
  virtual void SetEventSink(EventSink sink) = 0;
  // The server's host name, as the labels show it.
  virtual std::string HostName() const = 0;

  // Each starts a transfer and answers its number; one transfer runs at a time. Connect makes
  // the client connected when it succeeds. List and Download work whether connected or not: a
  // transfer's connection closing is no disconnection of the session.
  // Every transfer has a connection of its own, closed when the transfer ends, so that nothing
  // a server left on one (bytes beyond a reply, an unfinished reply) reaches the next.
  virtual int Connect() = 0;
  // maxBytes: the most bytes the transfer may receive. Past them, or past the size the server
  // announced, it ends at once as TooLarge; a server announcing more ends it before any byte.
  virtual int List(const std::string& remoteFolder, std::int64_t maxBytes) = 0;
  // Writes the body into localFile (created anew, never followed when it is a link). Over HTTP
  // only a reply 200 is written.
  virtual int Download(const std::string& remotePath, const std::filesystem::path& localFile,
                       std::int64_t maxBytes) = 0;
  // Ends the session's connection; a Disconnected event follows when it was connected.
  virtual void Disconnect() = 0;
  virtual bool Connected() const = 0;
  // Ends the running transfer at once: nothing more is written to its local file and no event
  // of it follows.
  virtual void Abort() = 0;
  // A transfer runs.
  virtual bool Busy() const = 0;
};

}  // namespace vek
