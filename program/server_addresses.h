// The addresses of the maker's servers: the Live Update servers with their proxy, ports and
// time-outs, the web site, the support and mailing-list mail addresses, and the tester's ftp
// server. The build sets them (CMake cache
// variables VEK_*, see program/CMakeLists.txt); their defaults are placeholders under the
// reserved domain ".invalid", which no network resolves.
#pragma once

#include <string_view>

namespace vek {

inline constexpr std::string_view kLiveUpdateFtpHost = VEK_LIVE_UPDATE_FTP_HOST;
inline constexpr std::string_view kLiveUpdateHttpBase = VEK_LIVE_UPDATE_HTTP_BASE;
inline constexpr int kLiveUpdateFtpPort = VEK_LIVE_UPDATE_FTP_PORT;
// The proxy of Live Update over HTTP; empty: none.
inline constexpr std::string_view kLiveUpdateProxyHost = VEK_LIVE_UPDATE_PROXY_HOST;
inline constexpr int kLiveUpdateProxyPort = VEK_LIVE_UPDATE_PROXY_PORT;
// Seconds until a connection attempt, a transfer without data and an FTP reply fail.
inline constexpr int kLiveUpdateConnectTimeout = VEK_LIVE_UPDATE_CONNECT_TIMEOUT;
inline constexpr int kLiveUpdateDataTimeout = VEK_LIVE_UPDATE_DATA_TIMEOUT;
inline constexpr int kLiveUpdateReplyTimeout = VEK_LIVE_UPDATE_REPLY_TIMEOUT;
inline constexpr std::string_view kWebSiteUrl = VEK_WEB_SITE_URL;
inline constexpr std::string_view kSupportMailAddress = VEK_SUPPORT_MAIL;
inline constexpr std::string_view kMailingListAddress = VEK_MAILING_LIST_MAIL;
// The hidden tester button's anonymous ftp download.
inline constexpr std::string_view kTesterFtpHost = VEK_TESTER_FTP_HOST;
inline constexpr std::string_view kTesterFtpPassword = VEK_TESTER_FTP_PASSWORD;

}  // namespace vek
