#include "liveupdate/live_update_config.h"

#include <algorithm>

#include "foundation/conversions.h"
#include "foundation/text.h"
#include "program/server_addresses.h"

namespace vek {

namespace {

int ReadPort(const IniFile& ini, std::string_view key, int def) {
  const long value = ini.ReadInteger(kLiveUpdateSection, key, def);
  return value >= 1 && value <= 65535 ? static_cast<int>(value) : def;
}

std::chrono::milliseconds ReadSeconds(const IniFile& ini, std::string_view key, int def) {
  long value = ini.ReadInteger(kLiveUpdateSection, key, def);
  if (value < 1 || value > 3600)
    value = def;
  return std::chrono::seconds(value);
}

// The digits of a port, 1..65535; 0 when they are none.
int PortOf(std::string_view digits) {
  if (digits.empty() || digits.size() > 5 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return 0;
  const int port = std::stoi(std::string(digits));
  return port >= 1 && port <= 65535 ? port : 0;
}

}  // namespace

TLiveUpdateServer LiveUpdateServerOf(const IniFile& ini, TransferKind kind) {
  TLiveUpdateServer s;
  s.kind = kind;
  s.ftpHost = std::string(
      Trim(ini.ReadString(kLiveUpdateSection, "FtpHost", std::string(kLiveUpdateFtpHost))));
  s.ftpPort = ReadPort(ini, "FtpPort", kLiveUpdateFtpPort);
  s.ftpPassive = IniStrToBool(ini.ReadString(kLiveUpdateSection, "FtpPassive", "True"));
  s.httpBase = std::string(
      Trim(ini.ReadString(kLiveUpdateSection, "HttpBase", std::string(kLiveUpdateHttpBase))));
  s.proxyHost = std::string(
      Trim(ini.ReadString(kLiveUpdateSection, "ProxyHost", std::string(kLiveUpdateProxyHost))));
  s.proxyPort = ReadPort(ini, "ProxyPort", kLiveUpdateProxyPort);
  s.connectTimeout = ReadSeconds(ini, "ConnectTimeout", kLiveUpdateConnectTimeout);
  s.dataTimeout = ReadSeconds(ini, "DataTimeout", kLiveUpdateDataTimeout);
  s.replyTimeout = ReadSeconds(ini, "ReplyTimeout", kLiveUpdateReplyTimeout);
  return s;
}

bool IsHostName(std::string_view host) {
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
    const std::string_view inner = host.substr(1, host.size() - 2);
    return std::all_of(inner.begin(), inner.end(), [](char c) {
      return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') ||
             c == ':' || c == '.';
    });
  }
  if (host.empty() || host.size() > 253 || host.front() == '.' || host.front() == '-')
    return false;
  return std::all_of(host.begin(), host.end(),
                     [](char c) { return IsAsciiAlnum(c) || c == '-' || c == '.'; });
}

std::optional<THttpBase> ParseHttpBase(std::string_view base) {
  THttpBase parts;
  std::string_view rest;
  for (const std::string_view scheme : {"http", "https"}) {
    const std::string prefix = std::string(scheme) + "://";
    if (base.size() > prefix.size() &&
        std::equal(prefix.begin(), prefix.end(), base.begin(),
                   [](char a, char b) { return a == AsciiLowerChar(b); })) {
      parts.scheme = scheme;
      rest = base.substr(prefix.size());
    }
  }
  if (parts.scheme.empty())
    return std::nullopt;
  const std::size_t slash = rest.find('/');
  std::string_view authority = rest.substr(0, slash);
  std::string_view folder = slash == std::string_view::npos ? "" : rest.substr(slash);
  if (folder.find_first_of("?#\\") != std::string_view::npos ||
      std::any_of(folder.begin(), folder.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
    return std::nullopt;
  while (!folder.empty() && folder.back() == '/')
    folder.remove_suffix(1);
  // The port: after the last ':' outside an IPv6 address's brackets.
  const std::size_t colon = authority.rfind(':');
  if (colon != std::string_view::npos && authority.find(']', colon) == std::string_view::npos) {
    parts.port = PortOf(authority.substr(colon + 1));
    if (parts.port == 0)
      return std::nullopt;
    authority = authority.substr(0, colon);
  }
  if (!IsHostName(authority))
    return std::nullopt;
  parts.host = std::string(authority);
  parts.folder = EscapeUrlPath(folder);
  return parts;
}

std::string EscapeUrlPath(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : path) {
    const auto b = static_cast<unsigned char>(c);
    if (IsAsciiAlnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
      out += c;
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  }
  return out;
}

std::optional<std::string> ServerUrl(const TLiveUpdateServer& server, std::string_view path) {
  std::string escaped = EscapeUrlPath(path);
  if (escaped.empty() || escaped.front() != '/') {
    std::string rooted = "/";
    rooted += escaped;
    escaped = std::move(rooted);
  }
  if (server.kind == TransferKind::Ftp) {
    if (!IsHostName(server.ftpHost))
      return std::nullopt;
    // "%2F" makes the path start at the server's root ("CWD /") instead of the login folder.
    return "ftp://" + server.ftpHost + ":" + std::to_string(server.ftpPort) + "/%2F" +
           escaped.substr(1);
  }
  const std::optional<THttpBase> base = ParseHttpBase(server.httpBase);
  if (!base)
    return std::nullopt;
  std::string url = base->scheme + "://" + base->host;
  if (base->port != 0)
    url.append(":").append(std::to_string(base->port));
  return url + base->folder + escaped;
}

std::string ServerHostName(const TLiveUpdateServer& server) {
  if (server.kind == TransferKind::Ftp)
    return server.ftpHost;
  const std::optional<THttpBase> base = ParseHttpBase(server.httpBase);
  return base ? base->host : server.httpBase;
}

}  // namespace vek
