// The command line: any parameters (the input split at NUL bytes). Parsing only ever sets flags,
// parsing twice changes nothing, and every switch word asked for is answered.
#include <cstring>
#include <string>
#include <vector>

#include "foundation/command_line.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vek;
  using namespace vek::fuzz;
  std::vector<std::string> params(1);
  for (const char c : AsText(data, size)) {
    if (c == '\0')
      params.emplace_back();
    else
      params.back() += c;
  }
  CommandLineSwitches once;
  ParseCommandLineSwitches(params, once);
  CommandLineSwitches twice = once;
  ParseCommandLineSwitches(params, twice);
  Check(std::memcmp(&once, &twice, sizeof once) == 0, "parsing again changes nothing");
  for (const char* word : {"DEBUGVEK", "CONTINUELIVEUPDATE", "QETESTINGVEK", "NOSPLASH", ""})
    (void)HasSwitch(params, word);
  for (const std::string& p : params)
    (void)HasSwitch(params, p);
  return 0;
}
