// The contexts of the calendar window and the report range selector in the running program:
// the session's settings, its date captions and date kind, and VEK.INI's sections.
#pragma once

#include "calendar/date_picker.h"
#include "calendar/range_selector_model.h"
#include "program/program_session.h"

namespace vek {

// Both refer to the session, which must outlive the window.
DatePickerContext MakeDatePickerContext(ProgramSession& session);
RangeSelectorContext MakeRangeSelectorContext(ProgramSession& session);

}  // namespace vek
