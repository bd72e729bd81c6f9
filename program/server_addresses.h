// The addresses of the maker's servers: the Live Update servers, the web site, the support and
// mailing-list mail addresses, and the tester's ftp server. The build sets them (CMake cache
// variables VEK_*, see program/CMakeLists.txt); their defaults are placeholders under the
// reserved domain ".invalid", which no network resolves.
#pragma once

#include <string_view>

namespace vek {

inline constexpr std::string_view kLiveUpdateFtpHost = VEK_LIVE_UPDATE_FTP_HOST;
inline constexpr std::string_view kLiveUpdateHttpBase = VEK_LIVE_UPDATE_HTTP_BASE;
inline constexpr std::string_view kWebSiteUrl = VEK_WEB_SITE_URL;
inline constexpr std::string_view kSupportMailAddress = VEK_SUPPORT_MAIL;
inline constexpr std::string_view kMailingListAddress = VEK_MAILING_LIST_MAIL;
// The hidden tester button's anonymous ftp download.
inline constexpr std::string_view kTesterFtpHost = VEK_TESTER_FTP_HOST;
inline constexpr std::string_view kTesterFtpPassword = VEK_TESTER_FTP_PASSWORD;

}  // namespace vek
