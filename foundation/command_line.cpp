#include "foundation/command_line.h"

#include <algorithm>
#include <utility>

#include "foundation/text.h"

namespace vek {

namespace {

constexpr std::size_t kParsedParameters = 20;

bool IsStrippable(char c) {
  return c == ' ' || c == '/' || c == ';' || c == '\\';
}

bool* FlagOf(std::string_view word, CommandLineSwitches& f) {
  const std::pair<std::string_view, bool*> keywords[] = {
      {"FORCEARABIC", &f.forceArabic},
      {"IGNOREDRIVE", &f.ignoreDrive},
      {"IGNOREQUVEXE", &f.ignoreQuvExe},
      {"READWRITE", &f.readWrite},
      {"95", &f.windows95},
      {"SHOWOMISSIONS", &f.showOmissions},
      {"DEBUGVEKLOC", &f.debugVekLoc},
      {"DEBUGVEK", &f.debugVek},
      {"IGNOREBMP", &f.ignoreBmp},
      {"STOPCLOCK", &f.stopClock},
      {"UPLOAD", &f.upload},
      {"UPLOADING", &f.upload},
      {"SKIPDOWNLOAD", &f.skipDownload},
      {"CONTINUELIVEUPDATE", &f.continueLiveUpdate},
      {"MOVEGOVEKFILE", &f.moveGoVekFile},
      {"AUTHORIZED", &f.authorized},
      {"INDEXING", &f.indexing},
  };
  for (const auto& [keyword, flag] : keywords) {
    if (keyword == word)
      return flag;
  }
  return nullptr;
}

}  // namespace

void ParseCommandLineSwitches(const std::vector<std::string>& params, CommandLineSwitches& flags) {
  const std::size_t n = std::min(params.size(), kParsedParameters);
  for (std::size_t i = 0; i < n; ++i) {
    std::string_view word = params[i];
    while (!word.empty() && IsStrippable(word.front()))
      word.remove_prefix(1);
    while (!word.empty() && IsStrippable(word.back()))
      word.remove_suffix(1);
    if (word.empty())
      continue;
    if (bool* flag = FlagOf(AsciiUpper(word), flags))
      *flag = true;
  }
}

bool HasSwitch(const std::vector<std::string>& params, std::string_view name) {
  const std::string wanted = AsciiUpper(name);
  return std::any_of(params.begin(), params.end(), [&](const std::string& param) {
    std::string_view word = param;
    if (!word.empty() && (word.front() == '/' || word.front() == '\\'))
      word.remove_prefix(1);
    return AsciiUpper(word) == wanted;
  });
}

CommandLineSwitches ReadCommandLineSwitches(const std::vector<std::string>& params) {
  CommandLineSwitches flags;
  ParseCommandLineSwitches(params, flags);
  // The start-up also asks for these words one parameter at a time, beyond the twentieth too.
  flags.debugVek = flags.debugVek || HasSwitch(params, "DEBUGVEK");
  flags.debugVekLoc = flags.debugVekLoc || HasSwitch(params, "DEBUGVEKLOC");
  flags.ignoreBmp = flags.ignoreBmp || HasSwitch(params, "IGNOREBMP");
  flags.testerMode = HasSwitch(params, "QETESTINGVEK");
  flags.startMinimized = HasSwitch(params, kStartMinimizedWord);
  return flags;
}

}  // namespace vek
