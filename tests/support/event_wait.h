// Waiting on the Qt event loop for something the test expects to happen.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <functional>

namespace vek::testing {

// Handles the Qt events until done() holds or the limit has passed; true when it holds. Objects
// deleted later (a closed dialog) go too, as they would in the program's event loop. done() is
// asked again at least every poll, also when no event comes.
inline bool Spin(const std::function<bool()>& done,
                 std::chrono::milliseconds limit = std::chrono::seconds(20),
                 std::chrono::milliseconds poll = std::chrono::milliseconds(5)) {
  QDeadlineTimer deadline(limit);
  QTimer wake;
  wake.start(poll);
  while (!done()) {
    if (deadline.hasExpired())
      return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  return true;
}

}  // namespace vek::testing
