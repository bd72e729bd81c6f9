// Handing a link to the user's own programs: a web page to the browser, a "mailto:" link to the
// mail program. The program uses the desktop's handlers; tests use a recording fake.
#pragma once

#include <string>

namespace vek {

// The results follow the numbering of the shell the program was designed for: above 32 the
// request was accepted; 32 and below name the reason it was not.
inline constexpr int kShellAccepted = 42;
inline constexpr int kShellNoAssociation = 31;  // no program is set up for this kind of link

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens url (UTF-8) with the program the desktop associates with it; does not wait for it.
  virtual int Open(const std::string& url) = 0;
};

}  // namespace vek
