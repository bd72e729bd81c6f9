#include "mainwin/single_instance.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "support/event_wait.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

using namespace std::chrono_literals;
using testing::Spin;

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
  EXPECT_TRUE(Spin([&] { return requests == 1; }, 2s));

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
  const fs::path socket = name.toStdString();
  EXPECT_TRUE(QString::fromStdString(socket.filename().string())
                  .startsWith(QStringLiteral("vek-%1-").arg(::getuid())))
      << socket;
  for (const fs::path& spelling : {one / "", two / ".." / "one", dir_.path() / "link"})
    EXPECT_EQ(SingleInstance::ServerName(spelling), name) << spelling;
  EXPECT_NE(SingleInstance::ServerName(two), name);
  // The socket's folder is the user's alone.
  struct stat st {};
  ASSERT_EQ(0, ::lstat(socket.parent_path().c_str(), &st));
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(::getuid(), st.st_uid);
  EXPECT_EQ(0u, st.st_mode & 077);
}

// The runtime folder when it is the user's alone, else a folder of the user's own under the
// temporary folder; never a link, another user's folder or one that others may enter.
TEST_F(SingleInstanceTest, TheSocketFolderIsTheUsersAlone) {
  namespace fs = std::filesystem;
  const uid_t me = ::getuid();
  const fs::path run = dir_.path() / "run";
  const fs::path tmp = dir_.path() / "tmp";
  fs::create_directories(tmp);
  ASSERT_EQ(0, ::mkdir(run.c_str(), 0700));
  const SingleInstance::SocketPlaces inRun{run, tmp, {}, {}};
  const SingleInstance::SocketPlaces inTmp{std::nullopt, tmp, {}, {}};
  EXPECT_EQ(run, SingleInstance::SocketFolder(inRun, me));

  const fs::path own = tmp / ("vek-" + std::to_string(me));
  ::chmod(run.c_str(), 0755);  // others may enter: not used
  EXPECT_EQ(own, SingleInstance::SocketFolder(inRun, me));
  struct stat st {};
  ASSERT_EQ(0, ::lstat(own.c_str(), &st));
  EXPECT_EQ(0700u, st.st_mode & 0777);
  ::chmod(own.c_str(), 0777);  // the user's own is made private again
  EXPECT_EQ(own, SingleInstance::SocketFolder(inTmp, me));
  ASSERT_EQ(0, ::lstat(own.c_str(), &st));
  EXPECT_EQ(0700u, st.st_mode & 0777);

  // Folders of another user, as this test sees them when it pretends to be that user.
  EXPECT_EQ(std::nullopt, SingleInstance::SocketFolder(inRun, me + 1));
  fs::remove(own);
  fs::create_directory_symlink(run, own);  // a planted link
  EXPECT_EQ(std::nullopt, SingleInstance::SocketFolder(inTmp, me));
  EXPECT_TRUE(fs::is_symlink(own));
}

// Another user made /tmp/vek-<uid> first (its owner is faked): the sockets go into a private
// folder of the user's own under the cache or home folder, one whose socket paths fit, the
// folder of the other user is left alone, and a second start still brings the first to the front.
TEST_F(SingleInstanceTest, AfterAnotherUserTookTheTemporaryFolderTwoStartsStillFindEachOther) {
  namespace fs = std::filesystem;
  const uid_t me = ::getuid();
  const fs::path tmp = dir_.path() / "tmp";
  const fs::path taken = tmp / ("vek-" + std::to_string(me));
  fs::create_directories(taken);
  ::chmod(taken.c_str(), 0777);
  const SingleInstance::OwnerOf otherUserMadeIt = [&](const fs::path& p, uid_t reported) {
    return p == taken ? me + 1 : reported;
  };
  const fs::path home = dir_.path() / "home";
  fs::create_directories(home);
  const struct {
    SingleInstance::SocketPlaces places;
    fs::path expected;  // the parent of the folder used
  } cases[] = {
      {{std::nullopt, tmp, home / ".cache", home}, home / ".cache"},
      {{std::nullopt, tmp, home / std::string(90, 'c'), home}, home},  // too long for sockets
      {{dir_.path() / "no-run", tmp, fs::path(), home}, home},
  };
  for (const auto& [places, expected] : cases) {
    SCOPED_TRACE(places.cacheHome.string());
    const std::optional<fs::path> folder =
        SingleInstance::SocketFolder(places, me, otherUserMadeIt);
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(expected, folder->parent_path());
    struct stat st {};
    ASSERT_EQ(0, ::lstat(folder->c_str(), &st));
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(me, st.st_uid);
    EXPECT_EQ(0700u, st.st_mode & 0777);
    ASSERT_EQ(0, ::lstat(taken.c_str(), &st));
    EXPECT_EQ(0777u, st.st_mode & 0777);

    const fs::path programFolder = dir_.path() / "program";
    SingleInstance first(SingleInstance::ServerName(programFolder, *folder));
    ASSERT_TRUE(first.Listen(0ms));
    QWidget window;
    window.showMinimized();
    QObject::connect(&first, &SingleInstance::activateRequested, [&] { BringToFront(&window); });
    const std::optional<fs::path> again = SingleInstance::SocketFolder(places, me, otherUserMadeIt);
    ASSERT_EQ(folder, again);
    SingleInstance second(SingleInstance::ServerName(programFolder, *again));
    EXPECT_LE(second.Name().toStdString().size(), 107u);
    EXPECT_TRUE(second.ActivateRunning());
    EXPECT_TRUE(Spin([&] { return window.isVisible() && !window.isMinimized(); }, 2s));
  }
}

// A listener of another user under the name (planted before the program started) neither hears
// from a start nor keeps it from listening. The peer's user is faked: the start is told to expect
// another user than the one the test runs as.
TEST_F(SingleInstanceTest, AListenerOfAnotherUserCountsAsAbsent) {
  SingleInstance planted(Name("a"));
  int heard = 0;
  QObject::connect(&planted, &SingleInstance::activateRequested, [&] { ++heard; });
  ASSERT_TRUE(planted.Listen(0ms));

  SingleInstance start(Name("a"), ::getuid() + 1);
  EXPECT_FALSE(start.ActivateRunning());
  EXPECT_TRUE(start.Listen(0ms));
  QCoreApplication::processEvents();
  EXPECT_EQ(0, heard);
  struct stat st {};
  ASSERT_EQ(0, ::stat(Name("a").toStdString().c_str(), &st));
  EXPECT_EQ(0600u, st.st_mode & 0777);

  // No name at all (no socket folder): the program runs alone.
  SingleInstance unnamed{QString()};
  EXPECT_FALSE(unnamed.ActivateRunning());
  EXPECT_FALSE(unnamed.Listen(0ms));
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
  EXPECT_TRUE(Spin([&] { return requests == 1; }, 2s));
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
  EXPECT_TRUE(Spin([&] { return requests == 1; }, 2s));
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
    ASSERT_TRUE(Spin([&] { return QApplication::activeWindow() == &dialog; }, 2s));

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
