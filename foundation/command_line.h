// The switch words of the main program's command line and the process-wide flags they set.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vek {

// One flag per keyword, false at start; the parser only ever sets them.
struct CommandLineSwitches {
  bool ForceArabic = false;         // FORCEARABIC
  bool IgnoreDrive = false;         // IGNOREDRIVE (accepted, no effect)
  bool IgnoreQuvExe = false;        // IGNOREQUVEXE (accepted, no effect)
  bool ReadWrite = false;           // READWRITE (accepted, no effect)
  bool Windows95 = false;           // 95 (accepted, no effect)
  bool ShowOmissions = false;       // SHOWOMISSIONS (accepted, no effect)
  bool DebugVekLoc = false;         // DEBUGVEKLOC: debug log with a trace of the location file
  bool DebugVek = false;            // DEBUGVEK: debug log
  bool IgnoreBmp = false;           // IGNOREBMP: no message for a missing clock-face picture
  bool StopClock = false;           // STOPCLOCK: the analogue clock is left inactive
  bool Upload = false;              // UPLOAD or UPLOADING: maintainer mode
  bool SkipDownload = false;        // SKIPDOWNLOAD: Live Update makes no connection
  bool ContinueLiveUpdate = false;  // CONTINUELIVEUPDATE: restarted after a Live Update
  bool TesterMode = false;          // set by the start-up from HasSwitch("QETESTINGVEK")
  bool MoveGoVekFile = false;       // MOVEGOVEKFILE: move a downloaded installer away
  bool Authorized = false;          // AUTHORIZED (accepted, no effect)
  bool Indexing = false;            // INDEXING (accepted, no effect)
};

// The flags of this process.
CommandLineSwitches& Switches();

// The program's parameters (without the program name), stored once by the program entry.
void SetCommandLineParameters(std::vector<std::string> params);
const std::vector<std::string>& CommandLineParameters();

// Sets the flag of every keyword among the first twenty parameters; never clears a flag.
void ParseCommandLineSwitches(const std::vector<std::string>& params, CommandLineSwitches& flags);
void ParseCommandLineSwitches();  // the stored parameters into Switches()

// True when some parameter, upper-cased and without one leading '/' or '\', equals name
// upper-cased. Looks at every parameter.
bool HasSwitch(const std::vector<std::string>& params, std::string_view name);
bool HasSwitch(std::string_view name);  // the stored parameters

}  // namespace vek
