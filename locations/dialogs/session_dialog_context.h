// The location dialogs' context of the running program: the session's list, settings and date
// panel, and the program's message forms.
#pragma once

#include "locations/dialogs/dialog_context.h"
#include "program/program_session.h"

namespace vek {

// The context refers to the session, which must outlive the dialog.
LocationDialogContext MakeLocationDialogContext(ProgramSession& session);

}  // namespace vek
