// The print system's own answers about a printer's queue, through libcups: whether the queue
// takes jobs (its "printer-is-accepting-jobs" attribute and, when it refuses them, its
// "printer-state-message", the reason it was told to), whether its printer is stopped
// ("printer-state" 5, with the same message as its reason), and how it answered the last request
// of this thread (cupsLastError), which after a job handed to CUPS is the job's answer. A request
// that found no scheduler to answer it is told apart from what the scheduler said.
#pragma once

#include <cups/ipp.h>

#include <functional>
#include <string>

#include "platform/printer_info.h"

namespace vek {

// Asks the local print system about the queue of printer ("queue" or "queue/instance").
QueueAnswer CupsQueueState(const std::string& printer);

// The answer to the last request sent to the print system from this thread.
QueueAnswer CupsLastAnswer();

// Reads the printer attributes that the print system sent back for a queue: refused when it says
// the queue does not accept jobs, stopped when it says its printer is stopped; a missing or
// malformed attribute refuses nothing (the job's own answer still tells).
QueueAnswer QueueStateOf(ipp_t* attributes);

// The answer of a request that ended with status and libcups's text for it. A failure that may
// mean that no scheduler answered (libcups's "service unavailable" or an internal error, such as
// a connection that broke) is the print system being unreachable when schedulerReachable says
// so; any other failure keeps the print system's own text.
QueueAnswer AnswerOfStatus(ipp_status_t status, const char* text,
                           const std::function<bool()>& schedulerReachable);

// Whether the local print system's scheduler takes a connection now.
bool CupsSchedulerReachable();

}  // namespace vek
