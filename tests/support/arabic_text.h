// What an Arabic message may hold in Latin letters: the names it shows (files, paths, hosts) and
// the words of others it quotes, marked as theirs ("(بعبارة النظام: ...)", "(رد الخادم: ...)").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vek::testing {

// The Latin letters of text once the names and the marked quotations are taken out; empty when
// the message is Arabic throughout.
inline std::string LatinOutsideQuotations(std::string text,
                                          const std::vector<std::string>& names = {}) {
  for (const std::string& name : names) {
    if (name.empty())
      continue;
    for (std::size_t at; (at = text.find(name)) != std::string::npos;)
      text.erase(at, name.size());
  }
  for (std::string_view mark : {"(بعبارة النظام: ", "(رد الخادم: "}) {
    for (std::size_t at; (at = text.find(mark)) != std::string::npos;) {
      std::size_t end = at + mark.size();
      for (int depth = 1; end < text.size() && depth > 0; ++end)
        depth += text[end] == '(' ? 1 : text[end] == ')' ? -1 : 0;
      text.erase(at, end - at);
    }
  }
  std::string latin;
  for (char c : text)
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
      latin += c;
  return latin;
}

}  // namespace vek::testing
