#include "mainwin/single_instance.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include "support/temp_dir.h"

namespace vek {
namespace {

using namespace std::chrono_literals;

// Runs the event loop until done() holds or two seconds have passed.
bool RunUntil(const std::function<bool()>& done) {
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done())
      loop.quit();
  });
  poll.start(5);
  QTimer::singleShot(2000, &loop, &QEventLoop::quit);
  if (!done())
    loop.exec();
  return done();
}

// The socket names of the tests are paths in a folder of their own.
class SingleInstanceTest : public ::testing::Test {
 protected:
  QString Name(const char* leaf) const {
    return QString::fromStdString((dir_.path() / leaf).string());
  }

  testing::TempDir dir_;
};

TEST_F(SingleInstanceTest, ASecondStartActivatesTheRunningCopy) {
  SingleInstance running(Name("a"));
  int requests = 0;
  QObject::connect(&running, &SingleInstance::activateRequested, [&] { ++requests; });
  ASSERT_TRUE(running.Listen(0ms));

  SingleInstance second(Name("a"));
  EXPECT_TRUE(second.ActivateRunning());
  EXPECT_TRUE(RunUntil([&] { return requests == 1; }));

  // Nobody listens under another name.
  EXPECT_FALSE(SingleInstance(Name("b")).ActivateRunning());
}

TEST_F(SingleInstanceTest, TheNameComesFromTheUserAndTheFolder) {
  namespace fs = std::filesystem;
  const fs::path one = dir_.path() / "one";
  const fs::path two = dir_.path() / "two";
  fs::create_directories(one);
  fs::create_directories(two);
  fs::create_directory_symlink(one, dir_.path() / "link");

  const QString name = SingleInstance::ServerName(one);
  EXPECT_TRUE(name.startsWith(QStringLiteral("vek-%1-").arg(::getuid()))) << name.toStdString();
  for (const fs::path& spelling : {one / "", two / ".." / "one", dir_.path() / "link"})
    EXPECT_EQ(SingleInstance::ServerName(spelling), name) << spelling;
  EXPECT_NE(SingleInstance::ServerName(two), name);
}

TEST_F(SingleInstanceTest, ListenWaitsForTheLiveCopyToClose) {
  auto running = std::make_unique<SingleInstance>(Name("a"));
  int probed = 0;
  QObject::connect(running.get(), &SingleInstance::activateRequested, [&] { ++probed; });
  ASSERT_TRUE(running->Listen(0ms));

  SingleInstance restarted(Name("a"));
  QElapsedTimer timer;
  timer.start();
  EXPECT_FALSE(restarted.Listen(200ms));
  EXPECT_GE(timer.elapsed(), 200);
  EXPECT_TRUE(running->IsListening());
  // The probes of the waiting start are no requests.
  QCoreApplication::processEvents();
  EXPECT_EQ(probed, 0);

  QTimer::singleShot(50, [&] { running.reset(); });
  EXPECT_TRUE(restarted.Listen(5s));

  int requests = 0;
  QObject::connect(&restarted, &SingleInstance::activateRequested, [&] { ++requests; });
  EXPECT_TRUE(SingleInstance(Name("a")).ActivateRunning());
  EXPECT_TRUE(RunUntil([&] { return requests == 1; }));
}

TEST_F(SingleInstanceTest, TheSocketOfACrashedCopyIsTakenOver) {
  // A socket file that nobody listens on any more.
  const std::string path = Name("a").toStdString();
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  ::close(fd);
  ASSERT_TRUE(std::filesystem::exists(path));

  SingleInstance start(Name("a"));
  EXPECT_FALSE(start.ActivateRunning());
  ASSERT_TRUE(start.Listen(0ms));
  int requests = 0;
  QObject::connect(&start, &SingleInstance::activateRequested, [&] { ++requests; });
  EXPECT_TRUE(SingleInstance(Name("a")).ActivateRunning());
  EXPECT_TRUE(RunUntil([&] { return requests == 1; }));
}

TEST(BringToFrontTest, TheMainWindowComesBackWithItsDialogInFront) {
  for (Qt::WindowModality modality : {Qt::ApplicationModal, Qt::NonModal}) {
    SCOPED_TRACE(modality);
    QWidget mainWindow;
    mainWindow.resize(300, 200);
    mainWindow.show();
    QDialog dialog(&mainWindow);
    dialog.setWindowModality(modality);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(RunUntil([&] { return QApplication::activeWindow() == &dialog; }));

    mainWindow.showMinimized();
    QCoreApplication::processEvents();
    BringToFront(&mainWindow);
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_FALSE(mainWindow.isMinimized());
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &dialog);

    // Hidden to the tray.
    mainWindow.hide();
    BringToFront(&mainWindow);
    EXPECT_TRUE(mainWindow.isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &dialog);
  }
}

}  // namespace
}  // namespace vek
