// The report's context in the running program: the session's current location, trackers,
// settings and VEK.INI, and the program's message form.
#pragma once

#include "program/program_session.h"
#include "report/report_context.h"

namespace vek {

// Refers to the session, which must outlive the report. Needs a current location.
ReportContext MakeReportContext(ProgramSession& session);

}  // namespace vek
