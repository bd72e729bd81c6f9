// The switch words of the main program's command line and the flags they set. The program entry
// reads them once (ReadCommandLineSwitches) and hands the value to the run's session.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vek {

// The word of the minimised start, which the autostart entry gives the program.
inline constexpr std::string_view kStartMinimizedWord = "Minimized";

// One flag per keyword, false at start; the parser only ever sets them.
struct CommandLineSwitches {
  bool forceArabic = false;         // FORCEARABIC
  bool ignoreDrive = false;         // IGNOREDRIVE (accepted, no effect)
  bool ignoreQuvExe = false;        // IGNOREQUVEXE (accepted, no effect)
  bool readWrite = false;           // READWRITE (accepted, no effect)
  bool windows95 = false;           // 95 (accepted, no effect)
  bool showOmissions = false;       // SHOWOMISSIONS (accepted, no effect)
  bool debugVekLoc = false;         // DEBUGVEKLOC: debug log with a trace of the location file
  bool debugVek = false;            // DEBUGVEK: debug log
  bool ignoreBmp = false;           // IGNOREBMP: no message for a missing clock-face picture
  bool stopClock = false;           // STOPCLOCK: the analogue clock is left inactive
  bool upload = false;              // UPLOAD or UPLOADING: maintainer mode
  bool skipDownload = false;        // SKIPDOWNLOAD: Live Update makes no connection
  bool continueLiveUpdate = false;  // CONTINUELIVEUPDATE: restarted after a Live Update
  bool testerMode = false;          // HasSwitch("QETESTINGVEK"), not a parsed keyword
  bool startMinimized = false;      // HasSwitch("MINIMIZED"): the window starts minimised
  bool moveGoVekFile = false;       // MOVEGOVEKFILE: move a downloaded installer away
  bool authorized = false;          // AUTHORIZED (accepted, no effect)
  bool indexing = false;            // INDEXING (accepted, no effect)
};

// Sets the flag of every keyword among the first twenty parameters; never clears a flag.
void ParseCommandLineSwitches(const std::vector<std::string>& params, CommandLineSwitches& flags);

// True when some parameter, upper-cased and without one leading '/' or '\', equals name
// upper-cased. Looks at every parameter.
bool HasSwitch(const std::vector<std::string>& params, std::string_view name);

// The switches of a run (the parameters without the program name): the parsed keywords, with
// DEBUGVEK, DEBUGVEKLOC and IGNOREBMP also set when HasSwitch finds them, the tester mode from
// HasSwitch("QETESTINGVEK") and the minimised start (the autostart entry's) from
// HasSwitch("MINIMIZED").
CommandLineSwitches ReadCommandLineSwitches(const std::vector<std::string>& params);

}  // namespace vek
