// The waits that handle events inside a handler, over the program's own UiServices: while they
// run, what the user does (here the title bar's close of a window, queued as the desktop sends
// it) waits, so that no click or key can close or free what the handler runs in; the other
// events are handled, and the user's come right after the wait.
#include <gtest/gtest.h>

#include <qpa/qwindowsysteminterface.h>
#include <QCoreApplication>
#include <QDialog>
#include <QWindow>

#include <functional>
#include <string>

#include "foundation/busy_wait.h"
#include "foundation/file_helpers.h"
#include "foundation/file_io.h"
#include "foundation/qt/qt_ui_services.h"
#include "foundation/run_program.h"
#include "support/fake_clock.h"
#include "support/fake_launcher.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

TEST(NestedWaits, UserInputIsDeliveredOnlyAfterTheWait) {
  testing::TempDir dir;
  const fs::path source = dir.path() / "source";
  ASSERT_EQ(0, WriteFileReplacing(source, std::string(1'000'000, 'v')));
  QtUiServices ui;
  testing::FakeClock clock;
  testing::FakeLauncher launcher;
  SystemServices sys{.ui = ui, .clock = clock, .launcher = launcher};
  struct Case {
    const char* what;
    std::function<void()> wait;
  };
  const Case cases[] = {
      {"hourglass", [&] { WaitWithHourglass(1, ui, clock); }},
      {"copy with progress",
       [&] { EXPECT_TRUE(CopyFileKeepDate(source, dir.path() / "copy", sys)); }},
      {"started program (the wizard's installer)",
       [&] { EXPECT_EQ(0, WaitForProcessExit(4242, sys)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QDialog window;
    window.show();
    QCoreApplication::processEvents();
    ASSERT_TRUE(window.isVisible());
    QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::AsynchronousDelivery>(
        window.windowHandle());
    bool handled = false;
    QMetaObject::invokeMethod(
        &window, [&handled] { handled = true; }, Qt::QueuedConnection);
    c.wait();
    EXPECT_TRUE(handled);  // the wait handled events
    EXPECT_TRUE(window.isVisible());
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
  }
}

}  // namespace
}  // namespace vek
