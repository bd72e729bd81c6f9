// The location dialogs' context of the running program: the list that the session gives the
// dialog to edit (ProgramSession::EditLocations), the session's settings and date panel, and the
// program's message forms.
#pragma once

#include "foundation/qt/modal_runner.h"
#include "locations/dialogs/dialog_context.h"
#include "program/program_session.h"

namespace vek {

// The context refers to the session and to list, which must outlive the dialog; the dialogs it
// opens in turn are shown through runModal.
LocationDialogContext MakeLocationDialogContext(ProgramSession& session, TLocations& list,
                                                ModalRunner runModal);

}  // namespace vek
