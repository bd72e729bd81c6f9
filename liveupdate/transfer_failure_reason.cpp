#include "liveupdate/transfer_failure_reason.h"

#include "foundation/conversions.h"
#include "foundation/dos_error.h"

namespace vek {

namespace {

// The same words in both languages: what the server or libcurl said.
TTwinText Said(const std::string& text) {
  return {text, text};
}

std::string InBrackets(const std::string& text) {
  return text.empty() ? std::string() : " (" + text + ")";
}

// Why a local file could not be made or written, for an Arabic reader: the program's Arabic
// words for the errno (the first line of its text), then the system's own in brackets.
std::string ArabicCause(const TransferOutcome& o) {
  if (o.fileErrno == 0)
    return o.errorText;
  const std::string text = IoErrorText(o.fileErrno, Language::Arabic);
  return text.substr(0, text.find("\r\n")) + InBrackets(o.errorText);
}

TTwinText TooLarge(const TransferOutcome& o, const TTransferAllowance& allowance) {
  if (o.total >= 0 && o.total < allowance.maxBytes)
    return {"more bytes than the " + ThousandsOf(o.total) + " the server announced",
            "بايتات أكثر من " + ThousandsOf(o.total) + " التي أعلنها الخادم"};
  if (allowance.listedSize < 0)
    return {"larger than the " + ThousandsOf(allowance.maxBytes) + " bytes a listing may have",
            "أكبر من " + ThousandsOf(allowance.maxBytes) + " بايت، وهو أقصى حجم لقائمة الملفات"};
  return {"larger than its listed size (" + ThousandsOf(allowance.listedSize) + " bytes) allows",
          "أكبر مما يسمح به حجمه المدرج (" + ThousandsOf(allowance.listedSize) + " بايت)"};
}

TTwinText HttpStatus(const TransferOutcome& o) {
  const std::string status =
      o.replyLine.empty() ? "HTTP " + std::to_string(o.replyCode) : o.replyLine;
  if (o.redirectUrl.empty())
    return Said(status);
  return {status + " (a redirect to " + o.redirectUrl + ", which is not followed)",
          status + " (تحويل إلى " + o.redirectUrl + "، ولا يُتّبع)"};
}

}  // namespace

TTwinText TransferFailureReason(const TransferOutcome& o, const TTransferAllowance& allowance) {
  switch (o.failure) {
    case TransferFailure::None:
      if (o.command != TransferCommand::Download)
        return {};
      if (o.total <= 0)
        return {"the server announced no size", "لم يعلن الخادم حجم الملف"};
      if (o.received != o.total)
        return {ThousandsOf(o.received) + " of " + ThousandsOf(o.total) + " bytes arrived",
                "وصل " + ThousandsOf(o.received) + " من " + ThousandsOf(o.total) + " بايت"};
      return {};
    case TransferFailure::HttpStatus:
      return HttpStatus(o);
    case TransferFailure::TooLarge:
      return TooLarge(o, allowance);
    case TransferFailure::TimedOut:
      return {"no answer from the server within the time-out" + InBrackets(o.errorText),
              "لم يرد الخادم خلال المهلة" + InBrackets(o.errorText)};
    case TransferFailure::Incomplete:
      // All that was announced arrived, and the FTP server did not confirm it.
      if (o.total >= 0 && o.received >= o.total && !o.replyLine.empty())
        return Said(o.replyLine + InBrackets(o.errorText));
      if (o.total >= 0)
        return {"the connection ended after " + ThousandsOf(o.received) + " of " +
                    ThousandsOf(o.total) + " bytes" + InBrackets(o.errorText),
                "انقطع الاتصال بعد " + ThousandsOf(o.received) + " من " + ThousandsOf(o.total) +
                    " بايت" + InBrackets(o.errorText)};
      return {"the connection ended after " + ThousandsOf(o.received) + " bytes" +
                  InBrackets(o.errorText),
              "انقطع الاتصال بعد " + ThousandsOf(o.received) + " بايت" + InBrackets(o.errorText)};
    case TransferFailure::LocalFile:
      return {"the file could not be written: " + o.errorText,
              "تعذرت كتابة الملف: " + ArabicCause(o)};
    case TransferFailure::NotFound:
    case TransferFailure::AuthenticationFailed:
    case TransferFailure::Other:
      // The FTP server's reply says most; libcurl's text what it made of it.
      if (!o.replyLine.empty() && o.replyCode >= 400)
        return Said(o.replyLine + InBrackets(o.errorText));
      return Said(o.errorText);
    case TransferFailure::InvalidHost:
    case TransferFailure::ConnectionFailed:
      return Said(o.errorText);
  }
  return Said(o.errorText);
}

}  // namespace vek
