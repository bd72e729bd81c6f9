// Live Update's set-up in the running program, read from the program session: the settings of
// the local listing, what follows its writing, and the dialog's setup.
#pragma once

#include <filesystem>

#include "liveupdate/listing_writer.h"
#include "liveupdate/live_update_session.h"
#include "program/program_session.h"

namespace vek {

// The local listing of this installation; the UPLOAD switch writes the maintainer's.
TListingSettings MakeListingSettings(const ProgramSession& session);

// What follows the writing of the local listing.
enum class AfterListing {
  Close,  // the maintainer's listing is done, or its package is missing: the program closes
  Stop,   // the listing could not be written (shown already)
  Open,   // the Live Update dialog opens
};
AfterListing NextAfterListing(const TListingOutcome& written, bool maintainerMode);

// The dialog's setup after the listing was written into updateFolder: the session's program
// folder, switches, language and adhan descriptions, what the listing found, and the clock
// faces' pictures (with the chooser's bare clock), which a download must be able to read.
TLiveUpdateSetup MakeLiveUpdateSetup(const ProgramSession& session, TransferKind kind,
                                     const std::filesystem::path& updateFolder,
                                     const TListingOutcome& written);

}  // namespace vek
