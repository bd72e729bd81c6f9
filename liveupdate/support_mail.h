// The Help menu's support e-mail, without a window. With the mail plug-in (PELSUNK.EXE in the
// program folder, any case) the system report is asked for and built, VEK_DIRS.TXT is written,
// and the mail file $$MAIL.txt (report, VEK_DIRS.TXT and the debug log as attachments) is
// handed to the plug-in, which runs on its own. Without it the report explains the missing
// plug-in once and the user's own mail program opens on the support address.
#pragma once

#include <filesystem>

#include "engine/calendar.h"
#include "foundation/language.h"
#include "foundation/system_services.h"
#include "platform/shell.h"

namespace vek {

struct SupportMailContext {
  std::filesystem::path programFolder;
  Language lang = Language::English;
  CivilDate today;                // the report's date
  std::filesystem::path logFile;  // attached when it is there
  SystemServices& sys;            // its ui shows every question and failure
  Shell& shell;
};

// Runs the command; a declined report does nothing, every failure is shown.
void SendSupportMail(const SupportMailContext& context);

}  // namespace vek
