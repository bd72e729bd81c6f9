#include "platform/cups_queue.h"

#include <cups/cups.h>

#include <iterator>
#include <memory>

namespace vek {

namespace {

// IPP's status codes below 0x0400 report success.
bool Succeeded(ipp_status_t status) {
  return status < IPP_STATUS_ERROR_BAD_REQUEST;
}

QueueAnswer::Verdict VerdictOf(ipp_status_t status) {
  if (Succeeded(status))
    return QueueAnswer::Verdict::Accepted;
  switch (status) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
      return QueueAnswer::Verdict::NotAccepting;
    case IPP_STATUS_ERROR_NOT_FOUND:
      return QueueAnswer::Verdict::NotFound;
    default:
      return QueueAnswer::Verdict::Failed;
  }
}

}  // namespace

QueueAnswer AnswerOfStatus(ipp_status_t status, const char* text,
                           const std::function<bool()>& schedulerReachable) {
  QueueAnswer answer;
  answer.verdict = VerdictOf(status);
  if (answer.Accepted())
    return answer;
  // libcups says "service unavailable" when it cannot connect, and gives the system's error of
  // a connection that broke (such as "Bad file descriptor") as an internal error.
  if ((status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || status == IPP_STATUS_ERROR_INTERNAL) &&
      !schedulerReachable()) {
    answer.verdict = QueueAnswer::Verdict::Unreachable;
    return answer;
  }
  answer.message = text != nullptr ? text : ippErrorString(status);
  return answer;
}

bool CupsSchedulerReachable() {
  // A new connection of its own: the one libcups keeps may be broken.
  constexpr int kTimeoutMs = 5000;
  http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              kTimeoutMs, nullptr);
  if (http == nullptr)
    return false;
  httpClose(http);
  return true;
}

QueueAnswer CupsLastAnswer() {
  return AnswerOfStatus(cupsLastError(), cupsLastErrorString(), CupsSchedulerReachable);
}

QueueAnswer QueueStateOf(ipp_t* attributes) {
  QueueAnswer answer;
  ipp_attribute_t* accepting =
      ippFindAttribute(attributes, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
  ipp_attribute_t* state = ippFindAttribute(attributes, "printer-state", IPP_TAG_ENUM);
  if (accepting != nullptr && ippGetCount(accepting) > 0 && ippGetBoolean(accepting, 0) == 0)
    answer.verdict = QueueAnswer::Verdict::NotAccepting;
  else if (state != nullptr && ippGetCount(state) > 0 &&
           ippGetInteger(state, 0) == IPP_PSTATE_STOPPED)
    answer.verdict = QueueAnswer::Verdict::Stopped;
  else
    return answer;
  ipp_attribute_t* message = ippFindAttribute(attributes, "printer-state-message", IPP_TAG_TEXT);
  if (message != nullptr && ippGetCount(message) > 0)
    if (const char* text = ippGetString(message, 0, nullptr))
      answer.message = text;
  return answer;
}

QueueAnswer CupsQueueState(const std::string& printer) {
  // The print dialog names an instance of a queue "queue/instance"; CUPS asks the queue.
  const std::string queue = printer.substr(0, printer.find('/'));
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                   "/printers/%s", queue.c_str());
  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  static const char* const kAttributes[] = {"printer-is-accepting-jobs", "printer-state",
                                            "printer-state-message"};
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(std::size(kAttributes)), nullptr, kAttributes);
  // cupsDoRequest takes the request and leaves its status for cupsLastError.
  const std::unique_ptr<ipp_t, decltype(&ippDelete)> response(
      cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"), &ippDelete);
  if (!response || !Succeeded(cupsLastError()))
    return CupsLastAnswer();
  return QueueStateOf(response.get());
}

}  // namespace vek
