// The run's state of a session, writable for tests that put it into a shape no operation makes
// (stale trackers, say), so that they can show that an operation brings it up to date.
#pragma once

#include "program/program_session.h"

namespace vek {

class ProgramSessionTestAccess {
 public:
  static VekContext& State(ProgramSession& session) { return session.ctx_; }
};

}  // namespace vek
