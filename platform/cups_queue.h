// The print system's own answers about a printer's queue, through libcups: whether the queue
// takes jobs (its "printer-is-accepting-jobs" attribute and, when it refuses them, its
// "printer-state-message", the reason it was told to), and how it answered the last request of
// this thread (cupsLastError), which after a job handed to CUPS is the job's answer.
#pragma once

#include <cups/ipp.h>

#include <string>

#include "platform/printer_info.h"

namespace vek {

// Asks the local print system about the queue of printer ("queue" or "queue/instance").
QueueAnswer CupsQueueState(const std::string& printer);

// The answer to the last request sent to the print system from this thread.
QueueAnswer CupsLastAnswer();

// Reads the printer attributes that the print system sent back for a queue: refused when it says
// the queue does not accept jobs; a missing or malformed attribute refuses nothing (the job's own
// answer still tells).
QueueAnswer QueueStateOf(ipp_t* attributes);

}  // namespace vek
