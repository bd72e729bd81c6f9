// Handing work to other programs: the user's mail program on a "mailto:" link, the browser on a
// web page, and the command-line ftp client on a script (the tester's download).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/language.h"
#include "foundation/system_services.h"
#include "platform/shell.h"

namespace vek {

// The explanation of a refusing shell code in the language; empty for a code without one.
std::string ShellErrorExplanation(int code, Language lang);

// Opens "mailto:" + address; one attempt. subject and body are not used. On refusal: a beep
// and "Electronic Mail program not available..." with the explanation of the shell's code.
bool SendMailTo(std::string_view address, std::string_view subject, std::string_view body,
                Language language, Shell& shell, UiServices& ui);

// Opens url in the browser; on refusal "Internet Browser Not Found" (or its Arabic twin).
bool OpenUrlInBrowser(std::string_view url, Language language, Shell& shell, UiServices& ui);

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
// refused field, a script that cannot be written or a client that cannot be started is shown
// and gives false.
bool RunFtpScript(const TFtpScript& script, Language language, SystemServices& sys);

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
bool RunTesterFtpDownload(const TTesterFtpConfig& config,
                          const std::filesystem::path& programFolder, Language language,
                          SystemServices& sys);

}  // namespace vek
