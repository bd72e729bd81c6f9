// The report's context in the running program: the session's current location, trackers,
// settings and VEK.INI's sections, the program's message form and the run's printer.
#pragma once

#include "program/program_session.h"
#include "report/report_context.h"

namespace vek {

// Refers to the session, which must outlive the report. Needs a current location. printer is
// the run's printer (the report window makes its own when there is none).
ReportContext MakeReportContext(ProgramSession& session,
                                std::shared_ptr<QPrinter> printer = nullptr);

}  // namespace vek
