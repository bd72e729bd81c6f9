// Where Live Update connects: the build's defaults, [LiveUpdate] of VEK.INI, and the addresses of
// the server's files.
#include "liveupdate/live_update_config.h"

#include <gtest/gtest.h>

#include "foundation/file_io.h"
#include "program/server_addresses.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

TEST(LiveUpdateConfig, TheSettingsFileOverridesTheBuildsDefaults) {
  testing::TempDir dir;
  const IniFile none(dir.path() / "VEK.INI");
  const TLiveUpdateServer defaults = LiveUpdateServerOf(none, TransferKind::Ftp);
  EXPECT_EQ(kLiveUpdateFtpHost, defaults.ftpHost);
  EXPECT_EQ(21, defaults.ftpPort);
  EXPECT_TRUE(defaults.ftpPassive);
  EXPECT_EQ(kLiveUpdateHttpBase, defaults.httpBase);
  EXPECT_EQ("", defaults.proxyHost);
  EXPECT_EQ(3128, defaults.proxyPort);
  EXPECT_EQ(std::chrono::seconds(30), defaults.connectTimeout);
  EXPECT_EQ(std::chrono::seconds(60), defaults.dataTimeout);
  EXPECT_EQ(std::chrono::seconds(60), defaults.replyTimeout);

  ASSERT_EQ(0, WriteFileReplacing(dir.path() / "VEK.INI",
                                  "[LiveUpdate]\r\nFtpHost= ftp.example.org \r\nFtpPort=2121\r\n"
                                  "FtpPassive=False\r\nHttpBase=https://example.org/vek\r\n"
                                  "ProxyHost=proxy.lan\r\nProxyPort=99999\r\nConnectTimeout=5\r\n"
                                  "DataTimeout=0\r\nReplyTimeout=x\r\n"));
  const IniFile ini(dir.path() / "VEK.INI");
  const TLiveUpdateServer s = LiveUpdateServerOf(ini, TransferKind::Http);
  EXPECT_EQ(TransferKind::Http, s.kind);
  EXPECT_EQ("ftp.example.org", s.ftpHost);
  EXPECT_EQ(2121, s.ftpPort);
  EXPECT_FALSE(s.ftpPassive);
  EXPECT_EQ("https://example.org/vek", s.httpBase);
  EXPECT_EQ("proxy.lan", s.proxyHost);
  EXPECT_EQ(3128, s.proxyPort);  // out of range: the default
  EXPECT_EQ(std::chrono::seconds(5), s.connectTimeout);
  EXPECT_EQ(std::chrono::seconds(60), s.dataTimeout);
  EXPECT_EQ(std::chrono::seconds(60), s.replyTimeout);
}

TEST(LiveUpdateConfig, AddressesEscapeEverySegment) {
  TLiveUpdateServer ftp;
  ftp.ftpHost = "127.0.0.1";
  ftp.ftpPort = 2121;
  EXPECT_EQ("ftp://127.0.0.1:2121/%2Fliveupdate/vekdirs.rec",
            ServerUrl(ftp, "/liveupdate/vekdirs.rec"));
  EXPECT_EQ("ftp://127.0.0.1:2121/%2Ftxt/go-a%20b%3Fc%23d%25.z",
            ServerUrl(ftp, "/txt/go-a b?c#d%.z"));
  ftp.ftpHost = "evil.org/x@y";
  EXPECT_FALSE(ServerUrl(ftp, "/a"));

  TLiveUpdateServer http;
  http.kind = TransferKind::Http;
  http.httpBase = "HTTP://Update.Example.org:8080/vek files/";
  EXPECT_EQ("http://Update.Example.org:8080/vek%20files/indexes/goxbeep.z",
            ServerUrl(http, "/indexes/goxbeep.z"));
  EXPECT_EQ("Update.Example.org", ServerHostName(http));
}

TEST(LiveUpdateConfig, OnlyPlainHttpBasesAreTaken) {
  struct Case {
    const char* base;
    bool usable;
  };
  for (const Case& c : {Case{"http://example.org", true}, Case{"https://example.org/", true},
                        Case{"http://[::1]:8000/x", true}, Case{"http://127.0.0.1:0/", false},
                        Case{"ftp://example.org/", false}, Case{"http://user@example.org/", false},
                        Case{"http://example.org/?q=1", false}, Case{"file:///etc/passwd", false},
                        Case{"http://", false}, Case{"http://exa mple.org/", false}}) {
    EXPECT_EQ(c.usable, ParseHttpBase(c.base).has_value()) << c.base;
  }
}

}  // namespace
}  // namespace vek
