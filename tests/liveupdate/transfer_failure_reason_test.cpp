#include "liveupdate/transfer_failure_reason.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "support/arabic_text.h"

namespace vek {
namespace {

// Every kind of failure in both languages: the English reason keeps what the server and libcurl
// said; the Arabic one says it in Arabic, quoting only the server's reply (marked as such) and
// the names the server gave, never libcurl's English.
TEST(TransferFailureReason, EveryKindIsArabicInArabicAndKeepsTheDetailInEnglish) {
  const auto outcome = [](TransferFailure failure, std::string errorText, long replyCode = 0,
                          std::string replyLine = "") {
    TransferOutcome o;
    o.failure = failure;
    o.errorText = std::move(errorText);
    o.replyCode = replyCode;
    o.replyLine = std::move(replyLine);
    return o;
  };
  TransferOutcome redirect = outcome(TransferFailure::HttpStatus, "", 302, "HTTP/1.1 302 Found");
  redirect.redirectUrl = "http://127.0.0.1:8080/elsewhere";
  TransferOutcome cut = outcome(TransferFailure::Incomplete, "Transferred a partial file");
  cut.received = 1000;
  cut.total = 3124;
  TransferOutcome unconfirmed =
      outcome(TransferFailure::Incomplete, "Operation timed out", 426, "426 Connection closed");
  unconfirmed.received = unconfirmed.total = 3124;
  TransferOutcome notADirectory = outcome(TransferFailure::LocalFile, "Not a directory");
  notADirectory.fileErrno = ENOTDIR;
  TransferOutcome unknownErrno = outcome(TransferFailure::LocalFile, "Value too large");
  unknownErrno.fileErrno = EOVERFLOW;

  const struct {
    const char* name;
    TransferOutcome outcome;
    const char* english;  // a part of the English reason
  } cases[] = {
      {"unresolved host",
       outcome(TransferFailure::InvalidHost, "Could not resolve host: update.invalid"),
       "Could not resolve host: update.invalid"},
      {"refused", outcome(TransferFailure::ConnectionFailed, "Couldn't connect to server"),
       "Couldn't connect to server"},
      {"login refused",
       outcome(TransferFailure::AuthenticationFailed, "Access denied: 530", 530,
               "530 Login incorrect."),
       "530 Login incorrect. (Access denied: 530)"},
      {"login refused without a reply",
       outcome(TransferFailure::AuthenticationFailed, "Login denied"), "Login denied"},
      {"no such file", outcome(TransferFailure::NotFound, "", 550, "550 No such file."),
       "550 No such file."},
      {"other", outcome(TransferFailure::Other, "Weird server reply"), "Weird server reply"},
      {"time-out", outcome(TransferFailure::TimedOut, "Operation timed out after 1000 ms"),
       "(Operation timed out after 1000 ms)"},
      {"cut", cut, "after 1,000 of 3,124 bytes (Transferred a partial file)"},
      {"unconfirmed", unconfirmed, "426 Connection closed"},
      {"status", outcome(TransferFailure::HttpStatus, "", 404, "HTTP/1.1 404 Not Found"),
       "HTTP/1.1 404 Not Found"},
      {"redirect", redirect, "a redirect to http://127.0.0.1:8080/elsewhere"},
      {"local file", notADirectory, "Not a directory"},
      {"local file, unexpected errno", unknownErrno, "Value too large"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TTwinText reason = TransferFailureReason(c.outcome, {});
    EXPECT_NE(std::string::npos, reason.english.find(c.english)) << reason.english;
    ASSERT_FALSE(reason.arabic.empty());
    EXPECT_EQ("", testing::LatinOutsideQuotations(reason.arabic, {c.outcome.redirectUrl}))
        << reason.arabic;
    if (!c.outcome.errorText.empty() && c.outcome.fileErrno != EOVERFLOW) {
      EXPECT_EQ(std::string::npos, reason.arabic.find(c.outcome.errorText)) << reason.arabic;
    }
  }
  // Where libcurl said nothing, neither reason says anything.
  const TTwinText silent = TransferFailureReason(outcome(TransferFailure::InvalidHost, ""), {});
  EXPECT_EQ("", silent.english);
  EXPECT_EQ("", silent.arabic);
}

}  // namespace
}  // namespace vek
