#include "liveupdate/support_mail.h"

#include <optional>
#include <string>
#include <vector>

#include "foundation/dos_error.h"
#include "foundation/file_io.h"
#include "foundation/program_folder.h"
#include "foundation/run_program.h"
#include "foundation/system_report.h"
#include "liveupdate/internet_services.h"
#include "liveupdate/listing_record.h"
#include "liveupdate/listing_writer.h"
#include "program/server_addresses.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

constexpr const char* kMailPlugIn = "PELSUNK.EXE";

}  // namespace

void SendSupportMail(const SupportMailContext& context) {
  const fs::path& folder = context.programFolder;
  const Language lang = context.lang;
  const bool arabic = lang == Language::Arabic;
  UiServices& ui = context.sys.ui;
  const fs::path plugIn = FindFileIgnoringCase(folder, kMailPlugIn);
  std::error_code ec;
  const bool plugInThere = fs::is_regular_file(plugIn, ec);
  std::string report;
  bool declined = false;
  const CivilDate today = context.today;
  BuildSystemReport(true, arabic, plugIn, report, declined, ui, [&] {
    return CollectSystemFigures(folder, today.Year, today.Month, today.Day);
  });
  if (declined)
    return;
  if (!plugInThere) {
    // The missing plug-in was explained once; the user's own mail program takes over.
    ShowHandOverFailure(SendMailTo(kSupportMailAddress, kSupportMailSubject, "", context.shell),
                        lang, ui);
    return;
  }

  if (const std::optional<TTwinText> unwritten = WriteDirsReport(folder, context.sys.fs))
    ShowProgramMessage(unwritten->In(lang), ui);
  std::vector<std::string> attachments;
  for (const fs::path& file :
       {FindFileIgnoringCase(folder, std::string(kDirsReportName)), context.logFile})
    if (!file.empty() && fs::is_regular_file(file, ec))
      attachments.push_back(file.string());
  const fs::path mailFile = folder / kSupportMailFileName;
  if (const int e = WriteFileReplacing(
          mailFile, SupportMailText(kSupportMailAddress, attachments, report, arabic),
          context.sys.fs);
      e != 0) {
    ui.ShowMessage(FileWriteErrorText(mailFile, e, lang));
    return;
  }
  pid_t pid = 0;
  const int e = context.sys.launcher.StartWith(
      plugIn, {plugIn.string()}, LaunchOptions{.standardInput = {}, .workingFolder = folder}, pid);
  if (e != 0) {
    ui.ShowMessage(std::string(ByLanguage(lang, "The mail plug-in could not be started:\r\n",
                                          "تعذر تشغيل برنامج البريد الملحق:\r\n")) +
                   plugIn.string() + "\r\n" + IoErrorText(e, lang));
    return;
  }
  context.sys.launcher.Detach(pid);
}

}  // namespace vek
