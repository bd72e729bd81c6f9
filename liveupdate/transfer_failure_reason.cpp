#include "liveupdate/transfer_failure_reason.h"

#include "foundation/conversions.h"
#include "foundation/dos_error.h"

namespace vek {

namespace {

// libcurl's text for an English reader; the program's own words for the kind of failure for an
// Arabic one (libcurl's English stays out of it: the debug log keeps it). Nothing when libcurl
// said nothing.
TTwinText LibraryOrArabic(const TransferOutcome& o, const char* arabic) {
  if (o.errorText.empty())
    return {};
  return {o.errorText, arabic};
}

std::string InBrackets(const std::string& text) {
  return text.empty() ? std::string() : " (" + text + ")";
}

// The server's own reply inside an Arabic reason, marked as the server's words.
std::string ServerWordsInArabic(const std::string& reply) {
  return reply.empty() ? std::string() : " (رد الخادم: " + reply + ")";
}

// The FTP server's reply line when it reports an error, else nothing.
std::string ErrorReply(const TransferOutcome& o) {
  return !o.replyLine.empty() && o.replyCode >= 400 ? o.replyLine : std::string();
}

// The server's reply when it reports an error, with libcurl's text in brackets; else as
// LibraryOrArabic. In Arabic the server's reply follows the program's words, marked as the
// server's.
TTwinText ServerOrLibrary(const TransferOutcome& o, const char* arabic) {
  const std::string reply = ErrorReply(o);
  if (reply.empty())
    return LibraryOrArabic(o, arabic);
  return {reply + InBrackets(o.errorText), arabic + ServerWordsInArabic(reply)};
}

// Why a local file could not be made or written, for an Arabic reader: the program's Arabic
// words for the errno, with its DOS code.
std::string ArabicCause(const TransferOutcome& o) {
  if (o.fileErrno == 0)
    return "تعذرت كتابة الملف";
  // The error text's lines joined by blanks, for the one line of the log.
  const std::string lines = IoErrorText(o.fileErrno, Language::Arabic);
  std::string text = "تعذرت كتابة الملف: ";
  for (std::size_t from = 0;;) {
    const std::size_t at = lines.find("\r\n", from);
    text.append(lines, from, at == std::string::npos ? std::string::npos : at - from);
    if (at == std::string::npos)
      return text;
    text += ' ';
    from = at + 2;
  }
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
  const std::string answered = "أجاب الخادم بالرمز " + std::to_string(o.replyCode);
  if (o.redirectUrl.empty())
    return {status, answered + ServerWordsInArabic(o.replyLine)};
  return {status + " (a redirect to " + o.redirectUrl + ", which is not followed)",
          answered + "، وهو تحويل إلى " + o.redirectUrl + " ولا يُتّبع" +
              ServerWordsInArabic(o.replyLine)};
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
              "لم يرد الخادم خلال المهلة"};
    case TransferFailure::Incomplete:
      // All that was announced arrived, and the FTP server did not confirm it.
      if (o.total >= 0 && o.received >= o.total && !o.replyLine.empty())
        return {o.replyLine + InBrackets(o.errorText),
                "وصل كل ما أعلنه الخادم ولم يؤكد اكتمال النقل" + ServerWordsInArabic(o.replyLine)};
      if (o.total >= 0)
        return {"the connection ended after " + ThousandsOf(o.received) + " of " +
                    ThousandsOf(o.total) + " bytes" + InBrackets(o.errorText),
                "انقطع الاتصال بعد " + ThousandsOf(o.received) + " من " + ThousandsOf(o.total) +
                    " بايت"};
      return {"the connection ended after " + ThousandsOf(o.received) + " bytes" +
                  InBrackets(o.errorText),
              "انقطع الاتصال بعد " + ThousandsOf(o.received) + " بايت"};
    case TransferFailure::LocalFile:
      return {"the file could not be written: " + o.errorText, ArabicCause(o)};
    case TransferFailure::NotFound:
      return ServerOrLibrary(o, "الملف أو المجلد غير موجود على الخادم");
    case TransferFailure::AuthenticationFailed:
      return ServerOrLibrary(o, "رفض الخادم اسم المستخدم أو كلمة المرور");
    case TransferFailure::Other:
      return ServerOrLibrary(o, "تعذر النقل من الخادم");
    case TransferFailure::InvalidHost:
      return LibraryOrArabic(o, "لم يعثر على عنوان الخادم بهذا الاسم");
    case TransferFailure::ConnectionFailed:
      return LibraryOrArabic(o, "تعذر الوصول إلى الخادم، أو رفض الاتصال");
  }
  return LibraryOrArabic(o, "تعذر النقل من الخادم");
}

}  // namespace vek
