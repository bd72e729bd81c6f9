// Where Live Update connects: the FTP server or the HTTP base address, the proxy of HTTP, and the
// time-outs. The build's defaults (program/server_addresses.h) are overridden by the section
// [LiveUpdate] of VEK.INI. Also here: the addresses of the server's files, with every path
// segment escaped.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/ini_file.h"
#include "liveupdate/transfer_client.h"

namespace vek {

inline constexpr std::string_view kLiveUpdateSection = "LiveUpdate";

struct TLiveUpdateServer {
  TransferKind kind = TransferKind::Ftp;
  std::string ftpHost;
  int ftpPort = 21;
  bool ftpPassive = true;  // false: active mode
  std::string httpBase;    // "http://host[:port][/folder]" or https
  std::string proxyHost;   // HTTP only; empty: no proxy (the environment's is never used)
  int proxyPort = 3128;
  std::chrono::milliseconds connectTimeout{30000};
  std::chrono::milliseconds dataTimeout{60000};   // no data arriving
  std::chrono::milliseconds replyTimeout{60000};  // an FTP reply
};

// The build's defaults, overridden by [LiveUpdate] of ini: FtpHost, FtpPort, FtpPassive,
// HttpBase, ProxyHost, ProxyPort, and ConnectTimeout, DataTimeout, ReplyTimeout in seconds. A
// port outside 1..65535 or a time-out outside 1..3600 seconds keeps the default.
TLiveUpdateServer LiveUpdateServerOf(const IniFile& ini, TransferKind kind);

// A host name (letters, digits, '-' and '.') or an IPv4 address; an IPv6 address in brackets.
bool IsHostName(std::string_view host);

// The parts of an HTTP base address; nothing when it is not "http://" or "https://" with a
// host, an optional port and an optional path without query, fragment or user name.
struct THttpBase {
  std::string scheme;  // "http" or "https"
  std::string host;
  int port = 0;        // 0: the scheme's
  std::string folder;  // "" or "/folder" (no trailing '/')
};
std::optional<THttpBase> ParseHttpBase(std::string_view base);

// Each segment of an absolute server path percent-encoded (all but letters, digits and
// "-._~"), the '/' between them kept.
std::string EscapeUrlPath(std::string_view path);

// The server's address for a path on it: "ftp://host:port/%2F..." (the path is taken from the
// server's root, not from the login folder) or the HTTP base + the path. Nothing when the host
// or the base is not usable.
std::optional<std::string> ServerUrl(const TLiveUpdateServer& server, std::string_view path);

// The host name the labels show.
std::string ServerHostName(const TLiveUpdateServer& server);

}  // namespace vek
