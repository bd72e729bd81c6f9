// Handing work to other programs: the user's mail program on a "mailto:" link, the browser on a
// web page, and the command-line ftp client on a script (the tester's download).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/language.h"
#include "foundation/ui_services.h"
#include "liveupdate/twin_text.h"
#include "platform/file_system.h"
#include "platform/launcher.h"
#include "platform/shell.h"

namespace vek {

// The explanation of a refusing shell code in the language; empty for a code without one.
std::string ShellErrorExplanation(int code, Language lang);

// What handing work to another program came to: done, or why not in both languages.
struct THandOver {
  bool ok = true;
  bool beep = false;  // the message is announced by a beep
  TTwinText message;  // when not ok
};

// Shows a hand-over that failed, in lang: the beep when it has one, then its message. Nothing
// for one that was done.
void ShowHandOverFailure(const THandOver& result, Language lang, UiServices& ui);

// Opens "mailto:" + address; one attempt. subject and body are not used. On refusal: a beep
// and "Electronic Mail program not available..." with the explanation of the shell's code.
THandOver SendMailTo(std::string_view address, std::string_view subject, std::string_view body,
                     Shell& shell);

// Opens url in the browser; on refusal "Internet Browser Not Found".
THandOver OpenUrlInBrowser(std::string_view url, Shell& shell);

inline constexpr int kFtpUpload = 0;
inline constexpr int kFtpDownload = 1;

// One run of the ftp client.
struct TFtpScript {
  std::string host;
  int port = 0;  // 0: the client's own (21)
  std::string user;
  std::string password;
  bool binary = true;
  int direction = kFtpDownload;  // kFtpUpload, kFtpDownload, or anything else for no transfer
  std::filesystem::path folder;  // where the script is written and the local file lies
  std::string fileName;          // the file's name here and on the server
};

// The script's text: "user", the mode, the transfer line and "quit", each ended by LF; an
// argument with blanks, quotes or backslashes is escaped for the client. Nothing when a field
// holds CR, LF or NUL, which would start a line of its own ("!" runs a shell command).
std::optional<std::string> FtpScriptText(const TFtpScript& script);

// Writes the script as folder/"ftpcomm" (readable by its owner only) and starts the ftp client
// on it without waiting: "ftp -n host [port]" in folder, the script on its standard input. A
// refused field, a script that cannot be written or a client that cannot be started fails with
// its message.
THandOver RunFtpScript(const TFtpScript& script, FileSystem& files, Launcher& launcher);

// The test configuration of the tester's ftp download.
struct TTesterFtpConfig {
  std::string host;
  int port = 0;
  std::string password;
};

// The remote file of the tester's download, fetched into the program folder's LiveUpdate folder.
inline constexpr std::string_view kTesterFtpFileName = "vekdirs.rec";

// The hidden tester button (Button1Click): an anonymous binary download of kTesterFtpFileName
// through RunFtpScript into programFolder/LiveUpdate.
THandOver RunTesterFtpDownload(const TTesterFtpConfig& config,
                               const std::filesystem::path& programFolder, FileSystem& files,
                               Launcher& launcher);

}  // namespace vek
