// A year timetable printed through the program's own print path, with Qt's print dialog, to a
// cups-pdf queue of a private CUPS scheduler: the pages chosen as "Pages" come out of the queue,
// each with the page number of the whole timetable. The scheduler runs as a child of the test
// in a temporary folder, reached only through its own local socket; the test skips where the
// machine has no CUPS scheduler or cups-pdf backend, or the scheduler cannot be started.
#include <gtest/gtest.h>

#include <cups/cups.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "engine/calendar.h"
#include "platform/cups_queue.h"
#include "report/timetable_view.h"
#include "support/locations_fixture.h"
#include "support/pdf_reading.h"
#include "support/shell_quoted.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kCupsd = "/usr/sbin/cupsd";
constexpr const char* kCupsPdfBackend = "/usr/lib/cups/backend/cups-pdf";
constexpr const char* kCupsPdfPpd = "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd";
// cups-pdf reads the settings of the queue whose device is "cups-pdf:/<name>" from this
// folder, which is built into it.
constexpr const char* kCupsPdfSettings = "/etc/cups";

std::string Tail(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::ostringstream text;
  text << in.rdbuf();
  const std::string all = text.str();
  return all.size() > 3000 ? all.substr(all.size() - 3000) : all;
}

// A CUPS scheduler of the test's own: its settings, spool, state and logs in a temporary folder,
// listening only on a local socket there, with one cups-pdf queue writing into that folder.
// Everything is stopped and removed when it goes, also after a failed check.
class PrivateCups {
 public:
  static constexpr const char* kQueue = "vek-cups-pdf";

  PrivateCups() { whyNot_ = Start(); }
  ~PrivateCups() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      if (!Reaped(std::chrono::seconds(20))) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
      }
    }
    std::error_code ec;
    if (!settings_.empty())
      std::filesystem::remove(settings_, ec);
    if (oldServer_)
      ::setenv("CUPS_SERVER", oldServer_->c_str(), 1);
    else
      ::unsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
  }
  PrivateCups(const PrivateCups&) = delete;
  PrivateCups& operator=(const PrivateCups&) = delete;

  // Empty when the scheduler runs with its queue; else why it does not.
  const std::string& WhyNot() const { return whyNot_; }
  const std::filesystem::path& Out() const { return out_; }
  std::filesystem::path ErrorLog() const { return dir_.path() / "log" / "error_log"; }

 private:
  std::string Start() {
    if (::access(kCupsd, X_OK) != 0)
      return std::string("this machine has no CUPS scheduler (") + kCupsd + ")";
    if (!std::filesystem::exists(kCupsPdfBackend) || !std::filesystem::exists(kCupsPdfPpd))
      return std::string("this machine has no cups-pdf printer (") + kCupsPdfBackend + ")";
    if (::geteuid() != 0)
      return "the cups-pdf backend runs only under a scheduler started by root";
    if (::access(kCupsPdfSettings, W_OK) != 0)
      return std::string("cups-pdf's settings folder ") + kCupsPdfSettings + " is not writable";
    const std::filesystem::path root = dir_.path();
    if (root.empty())
      return "no temporary folder";
    // The scheduler's filters run as the user lp, which must reach the spool.
    std::filesystem::permissions(root, std::filesystem::perms(0755));
    for (const char* sub : {"etc", "spool/tmp", "cache", "run", "log", "out"})
      std::filesystem::create_directories(root / sub);
    out_ = root / "out";
    socket_ = root / "run" / "cups.sock";
    std::ofstream(root / "etc" / "cups-files.conf")
        << "ServerRoot " << (root / "etc").string() << "\nRequestRoot " << (root / "spool").string()
        << "\nTempDir " << (root / "spool" / "tmp").string() << "\nCacheDir "
        << (root / "cache").string() << "\nStateDir " << (root / "run").string() << "\nErrorLog "
        << ErrorLog().string() << "\nAccessLog " << (root / "log" / "access_log").string()
        << "\nPageLog " << (root / "log" / "page_log").string() << "\nPrintcap "
        << (root / "run" / "printcap").string()
        << "\nUser lp\nGroup lp\nSystemGroup root\nFileDevice No\n";
    std::ofstream(root / "etc" / "cupsd.conf")
        << "Listen " << socket_.string()
        << "\nLogLevel debug\nBrowsing No\nBrowseLocalProtocols none\nWebInterface No\n"
           "DefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow localhost\n"
           "</Location>\n";
    // The queue's own cups-pdf settings: its files go into the temporary folder.
    const std::string instance = "vek-" + root.filename().string();
    settings_ = std::filesystem::path(kCupsPdfSettings) / ("cups-pdf-" + instance + ".conf");
    std::ofstream(settings_) << "Out " << out_.string() << "\nGrp root\n";

    const std::string conf = (root / "etc" / "cupsd.conf").string();
    const std::string files = (root / "etc" / "cups-files.conf").string();
    const std::string log = (root / "log" / "cupsd.out").string();
    const char* argv[] = {kCupsd, "-f", "-c", conf.c_str(), "-s", files.c_str(), nullptr};
    const int output = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    pid_ = ::fork();
    if (pid_ == 0) {
      // The scheduler ends with the test, also when the test itself is killed.
      ::prctl(PR_SET_PDEATHSIG, SIGTERM);
      ::dup2(output, 1);
      ::dup2(output, 2);
      ::execv(kCupsd, const_cast<char**>(argv));
      ::_exit(127);
    }
    ::close(output);
    if (pid_ < 0) {
      pid_ = 0;
      return "the private CUPS scheduler could not be started: " +
             std::string(std::strerror(errno));
    }
    if (!Answers())
      return "the private CUPS scheduler did not start: " + Tail(log) + Tail(ErrorLog());

    // libcups and Qt's print support ask this scheduler from now on.
    if (const char* old = std::getenv("CUPS_SERVER"))
      oldServer_ = old;
    ::setenv("CUPS_SERVER", socket_.string().c_str(), 1);
    ::unsetenv("PRINTER");
    ::unsetenv("LPDEST");
    cupsSetServer(nullptr);
    // CUPS turns the job's PDF into PostScript for cups-pdf, which Ghostscript turns back into a
    // PDF; poppler's cairo renderer keeps the text readable through both.
    const std::string lpadmin =
        "lpadmin -h " + testing::ShellQuoted(socket_.string()) + " -p " + kQueue;
    const std::string added = testing::Output(
        lpadmin + " -E -v cups-pdf:/" + instance + " -P " + kCupsPdfPpd +
        " -o pdftops-renderer-default=pdftocairo 2>&1 && " + "lpadmin -h " +
        testing::ShellQuoted(socket_.string()) + " -d " + kQueue + " 2>&1 && echo added");
    if (added.find("added") == std::string::npos)
      return "the cups-pdf queue could not be added to the private scheduler: " + added;
    return {};
  }

  // Waits, up to a deadline, for the scheduler to take connections on its socket; false when it
  // ended or the deadline passed.
  bool Answers() {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = socket_.string();
    if (path.size() >= sizeof address.sun_path)
      return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (Clock::now() < deadline) {
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = 0;
        return false;
      }
      const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
      const bool connected =
          ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
      ::close(fd);
      if (connected)
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  bool Reaped(std::chrono::seconds limit) {
    const auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_)
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  testing::TempDir dir_;
  std::filesystem::path out_;
  std::filesystem::path socket_;
  std::filesystem::path settings_;
  std::optional<std::string> oldServer_;
  pid_t pid_ = 0;
  std::string whyNot_;
};

// The state of the queue's newest job.
ipp_jstate_t LastJobState(const char* queue) {
  cups_job_t* jobs = nullptr;
  const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue, 0, CUPS_WHICHJOBS_ALL);
  ipp_jstate_t state = IPP_JSTATE_PENDING;
  int newest = -1;
  for (int i = 0; i < count; ++i)
    if (jobs[i].id > newest) {
      newest = jobs[i].id;
      state = jobs[i].state;
    }
  cupsFreeJobs(count, jobs);
  return state;
}

// Qt's print dialog as the user fills it in, given to the report window's modal runner:
// "Pages" typed, then Print. What went wrong is left in failure.
int AnswerPrintDialog(QDialog& shown, const QString& pages, std::string& failure) {
  auto* dialog = qobject_cast<QPrintDialog*>(&shown);
  if (dialog == nullptr) {
    failure = std::string("not the print dialog but ") + shown.metaObject()->className();
    return QDialog::Rejected;
  }
  QRadioButton* choice = dialog->findChild<QRadioButton*>(QStringLiteral("pagesRadioButton"));
  QLineEdit* edit = dialog->findChild<QLineEdit*>(QStringLiteral("pagesLineEdit"));
  auto* buttons = dialog->findChild<QDialogButtonBox*>();
  if (choice == nullptr || edit == nullptr || buttons == nullptr ||
      buttons->button(QDialogButtonBox::Ok) == nullptr) {
    for (QObject* child : dialog->findChildren<QObject*>())
      failure += child->metaObject()->className() + std::string(" ") +
                 child->objectName().toStdString() + "\n";
    return QDialog::Rejected;
  }
  choice->click();
  edit->setText(pages);
  buttons->button(QDialogButtonBox::Ok)->click();
  return dialog->result();
}

TEST(CupsPrinting, ThePagesTypedComeOutOfACupsPdfQueue) {
  PrivateCups cups;
  if (!cups.WhyNot().empty())
    GTEST_SKIP() << "No printing through a real CUPS queue: " << cups.WhyNot();
  ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(PrivateCups::kQueue))
      << "Qt's print support does not list the queue of the private scheduler";

  TLocations list;
  ASSERT_TRUE(testing::LoadShippedLocations(list));
  list.CurrentIndex = list.Find("DAMASCUS", "SYRIA", "");
  ASSERT_GE(list.CurrentIndex, 0);
  ReportContext context;
  context.Source.Location = list.Current().Rec;
  context.Locations = &list;
  context.Today = EncodeDate(2026, 12, 10);
  std::vector<std::string> messages;
  context.ShowMessage = [&](const std::string& text) { messages.push_back(text); };
  QString typed;
  std::string dialogFailure;
  context.Dialogs.RunModal = [&](QDialog& dialog) {
    return AnswerPrintDialog(dialog, typed, dialogFailure);
  };
  TKQViewForm form(std::move(context), ReportKind::Year);
  form.SetStartDate(EncodeDate(2026, 1, 1));
  form.ComputeReportRows();
  ASSERT_TRUE(form.Report().SelectDesign(1));
  ASSERT_EQ(12, form.Report().PageCount());

  const struct {
    const char* typed;
    std::vector<int> pages;
    std::vector<const char*> months;
  } cases[] = {{"2,5", {2, 5}, {"February, 2026", "May, 2026"}}, {"3", {3}, {"March, 2026"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    for (const auto& old : std::filesystem::directory_iterator(cups.Out()))
      std::filesystem::remove(old.path());
    typed = QString::fromLatin1(c.typed);
    dialogFailure.clear();
    ASSERT_TRUE(form.PrintReport(true)) << dialogFailure;
    ASSERT_TRUE(messages.empty()) << messages.front();

    // The job ends, or it or its printer stops (a filter that failed); polled up to a deadline.
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    ipp_jstate_t state = LastJobState(PrivateCups::kQueue);
    while (state != IPP_JSTATE_COMPLETED && Clock::now() < deadline) {
      ASSERT_LT(state, IPP_JSTATE_STOPPED) << Tail(cups.ErrorLog());
      const QueueAnswer queue = CupsQueueState(PrivateCups::kQueue);
      ASSERT_NE(QueueAnswer::Verdict::Stopped, queue.verdict) << queue.message << "\n"
                                                              << Tail(cups.ErrorLog());
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      state = LastJobState(PrivateCups::kQueue);
    }
    ASSERT_EQ(IPP_JSTATE_COMPLETED, state) << Tail(cups.ErrorLog());

    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(cups.Out()))
      files.push_back(entry.path());
    ASSERT_EQ(1u, files.size());
    // cups-pdf names its file by the job's title.
    EXPECT_EQ(0u, files[0].filename().string().find("Prayer_times_DAMASCUS_2026")) << files[0];
    EXPECT_EQ(static_cast<int>(c.pages.size()), testing::PdfPages(files[0]));
    const QString text = testing::PdfText(files[0]);
    EXPECT_EQ(c.pages, testing::FooterNumbers(text)) << text.toStdString();
    for (const char* month : c.months)
      EXPECT_TRUE(text.contains(QString::fromLatin1(month))) << month;
  }
}

}  // namespace
}  // namespace vek
