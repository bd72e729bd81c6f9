#include "liveupdate/internet_services.h"

#include <unistd.h>

#include <cstdlib>
#include <utility>

#include "foundation/dos_error.h"
#include "foundation/file_io.h"
#include "liveupdate/listing_record.h"
#include "liveupdate/live_update_files.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kScriptName = "ftpcomm";
constexpr int kOwnerOnly = 0600;

bool Accepted(int code) {
  return code > 32;
}

THandOver Failed(TTwinText message) {
  return {.ok = false, .beep = false, .message = std::move(message)};
}

bool HoldsLineBreak(std::string_view field) {
  return field.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// The ftp client splits its command lines at blanks; a backslash keeps the next character, so
// blanks, quotes and backslashes of an argument are escaped with one.
std::string FtpArgument(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '"' || c == '\\')
      out += '\\';
    out += c;
  }
  return out;
}

// The ftp client from the PATH, else where Debian installs it.
fs::path FtpClient() {
  const char* path = std::getenv("PATH");
  std::string_view dirs = path != nullptr ? path : "";
  while (!dirs.empty()) {
    const std::size_t colon = dirs.find(':');
    const std::string_view dir = dirs.substr(0, colon);
    dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
    if (dir.empty())
      continue;
    const fs::path candidate = fs::path(dir) / "ftp";
    if (::access(candidate.c_str(), X_OK) == 0)
      return candidate;
  }
  return "/usr/bin/ftp";
}

}  // namespace

std::string ShellErrorExplanation(int code, Language lang) {
  const auto say = [lang](const char* english, const char* arabic) {
    return std::string(ByLanguage(lang, english, arabic));
  };
  switch (code) {
    case 0:
      return say("operating system is out of memory or resources",
                 "نفدت ذاكرة نظام التشغيل أو موارده");
    case 2:
      return say("file not found", "الملف غير موجود");
    case 3:
      return say("path not found", "المسار غير موجود");
    case 5:
      return say("The operating system denied access to the specified file",
                 "رفض نظام التشغيل الوصول إلى الملف المحدد");
    case 8:
      return say("not enough memory to complete the operation",
                 "لا توجد ذاكرة كافية لإتمام العملية");
    case 11:
      return say("The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)",
                 "الملف التنفيذي غير صالح");
    case 26:
      return say("sharing violation", "الملف مستعمل من برنامج آخر");
    case 27:
      return say("The filename association is incomplete or invalid",
                 "ربط نوع الملف ببرنامج ناقص أو غير صالح");
    case 28:
      return say("DDE transaction could not be completed because the request timed out",
                 "تعذر إتمام تبادل البيانات بين البرامج لانتهاء مهلة الطلب");
    case 29:
      return say("DDE transaction failed", "فشل تبادل البيانات بين البرامج");
    case 30:
      return say(
          "DDE transaction could not be completed because other DDE transactions were "
          "being processed",
          "تعذر إتمام تبادل البيانات بين البرامج لانشغالها بعمليات تبادل أخرى");
    case 31:
      return say("no application associated with the given filename extension",
                 "لا يوجد برنامج مرتبط بهذا النوع من الملفات");
    case 32:
      return say("dynamic-link library was not found", "مكتبة الربط الديناميكي غير موجودة");
    default:
      return {};
  }
}

void ShowHandOverFailure(const THandOver& result, Language lang, UiServices& ui) {
  if (result.ok)
    return;
  if (result.beep)
    ui.Beep();
  ShowProgramMessage(result.message.In(lang), ui);
}

THandOver SendMailTo(std::string_view address, std::string_view /*subject*/,
                     std::string_view /*body*/, Shell& shell) {
  const int code = shell.Open("mailto:" + std::string(address));
  if (Accepted(code))
    return {};
  const TTwinText notAvailable{
      "Electronic Mail program not available\r\nOr error encoutered while executing it\r\n\r\n",
      "برنامج البريد الإلكتروني غير موجود\r\nأو حصل خطأ في تنفيذه\r\n\r\n"};
  return {.ok = false,
          .beep = true,
          .message = notAvailable + TTwinText{ShellErrorExplanation(code, Language::English),
                                              ShellErrorExplanation(code, Language::Arabic)}};
}

THandOver OpenUrlInBrowser(std::string_view url, Shell& shell) {
  if (Accepted(shell.Open(std::string(url))))
    return {};
  return Failed({"Internet Browser Not Found", "متصفح الإنترنت غير موجود"});
}

std::optional<std::string> FtpScriptText(const TFtpScript& script) {
  const std::string folder = script.folder.string();
  for (const std::string_view field : {std::string_view(script.host), std::string_view(script.user),
                                       std::string_view(script.password), std::string_view(folder),
                                       std::string_view(script.fileName)}) {
    if (HoldsLineBreak(field))
      return std::nullopt;
  }
  const std::string local = FtpArgument((script.folder / script.fileName).string());
  const std::string remote = FtpArgument(script.fileName);
  std::string text = "user " + FtpArgument(script.user);
  if (!script.password.empty())
    text.append(" ").append(FtpArgument(script.password));
  text += "\n";
  text += script.binary ? "binary\n" : "ascii\n";
  if (script.direction == kFtpUpload)
    text += "send " + local + " " + remote + "\n";
  else if (script.direction == kFtpDownload)
    text += "get " + remote + " " + local + "\n";
  text += "quit\n";
  return text;
}

THandOver RunFtpScript(const TFtpScript& script, FileSystem& files, Launcher& launcher) {
  const std::optional<std::string> text = FtpScriptText(script);
  if (!text)
    return Failed(
        {"The ftp script was not written: a field holds a line break or a NUL "
         "character",
         "لم يُكتب نص أوامر ftp: أحد الحقول يحوي فاصل أسطر أو محرفًا صفريًا"});
  if (script.host.empty() || script.host.front() == '-' ||
      script.host.find_first_of(" \t") != std::string::npos)
    return Failed(TTwinText{"Not a valid ftp host name: ", "اسم خادم ftp غير صالح: "} +
                  LeftToRight(script.host));
  const fs::path file = script.folder / kScriptName;
  if (const int e = WriteFileReplacing(file, *text, files, kOwnerOnly); e != 0)
    return Failed({FileWriteErrorText(file, e, Language::English),
                   FileWriteErrorText(file, e, Language::Arabic)});
  std::vector<std::string> arguments = {"ftp", "-n", script.host};
  if (script.port > 0)
    arguments.push_back(std::to_string(script.port));
  pid_t pid = 0;
  const int e =
      launcher.StartWith(FtpClient(), arguments,
                         LaunchOptions{.standardInput = file, .workingFolder = script.folder}, pid);
  if (e != 0)
    return Failed({"The ftp program could not be started:\r\n" + IoErrorText(e, Language::English),
                   "تعذر تشغيل برنامج ftp:\r\n" + IoErrorText(e, Language::Arabic)});
  launcher.Detach(pid);
  return {};
}

THandOver RunTesterFtpDownload(const TTesterFtpConfig& config, const fs::path& programFolder,
                               FileSystem& files, Launcher& launcher) {
  const fs::path folder = LiveUpdateFolder(programFolder);
  std::error_code ec;
  fs::create_directories(folder, ec);
  TFtpScript script;
  script.host = config.host;
  script.port = config.port;
  script.user = "anonymous";
  script.password = config.password;
  script.binary = true;
  script.direction = kFtpDownload;
  script.folder = folder;
  script.fileName = std::string(kTesterFtpFileName);
  return RunFtpScript(script, files, launcher);
}

}  // namespace vek
