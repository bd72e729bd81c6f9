#include "platform/cups_queue.h"

#include <gtest/gtest.h>

#include <cups/cups.h>

#include <memory>

#include "support/temp_dir.h"

namespace vek {
namespace {

using Verdict = QueueAnswer::Verdict;

// The printer attributes of a Get-Printer-Attributes answer, as libcups hands them over.
struct Attributes {
  std::unique_ptr<ipp_t, decltype(&ippDelete)> ipp{ippNew(), &ippDelete};
  Attributes& Accepting(int value) {
    ippAddBoolean(ipp.get(), IPP_TAG_PRINTER, "printer-is-accepting-jobs",
                  static_cast<char>(value));
    return *this;
  }
  Attributes& State(ipp_pstate_t state) {
    ippAddInteger(ipp.get(), IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", state);
    return *this;
  }
  Attributes& Message(const char* text) {
    ippAddString(ipp.get(), IPP_TAG_PRINTER, IPP_TAG_TEXT, "printer-state-message", nullptr, text);
    return *this;
  }
};

TEST(CupsQueue, OnlyAQueueThatSaysItAcceptsNoJobsRefusesThem) {
  EXPECT_EQ(Verdict::Accepted, QueueStateOf(Attributes().Accepting(1).ipp.get()).verdict);
  // An idle queue's old message is not a reason.
  const QueueAnswer taking = QueueStateOf(Attributes().Accepting(1).Message("Ready").ipp.get());
  EXPECT_TRUE(taking.Accepted());
  EXPECT_EQ("", taking.message);

  const QueueAnswer rejecting =
      QueueStateOf(Attributes().Accepting(0).Message("Out of paper").ipp.get());
  EXPECT_EQ(Verdict::NotAccepting, rejecting.verdict);
  EXPECT_EQ("Out of paper", rejecting.message);
  EXPECT_EQ(Verdict::NotAccepting, QueueStateOf(Attributes().Accepting(0).ipp.get()).verdict);

  // What the answer lacks or holds in another type refuses nothing: the job's own answer tells.
  EXPECT_TRUE(QueueStateOf(Attributes().Message("Rejecting Jobs").ipp.get()).Accepted());
  Attributes wrongType;
  ippAddInteger(wrongType.ipp.get(), IPP_TAG_PRINTER, IPP_TAG_INTEGER, "printer-is-accepting-jobs",
                0);
  EXPECT_TRUE(QueueStateOf(wrongType.ipp.get()).Accepted());
  EXPECT_TRUE(QueueStateOf(nullptr).Accepted());
}

TEST(CupsQueue, AStoppedPrinterTakesJobsThatWaitAndSaysWhy) {
  const QueueAnswer stopped = QueueStateOf(
      Attributes().Accepting(1).State(IPP_PSTATE_STOPPED).Message("Paused for toner").ipp.get());
  EXPECT_EQ(Verdict::Stopped, stopped.verdict);
  EXPECT_TRUE(stopped.TakesJobs());
  EXPECT_EQ("Paused for toner", stopped.message);
  for (ipp_pstate_t state : {IPP_PSTATE_IDLE, IPP_PSTATE_PROCESSING})
    EXPECT_TRUE(
        QueueStateOf(Attributes().Accepting(1).State(state).Message("Busy").ipp.get()).Accepted());
  // A queue that refuses jobs refuses them, stopped or not.
  EXPECT_EQ(Verdict::NotAccepting,
            QueueStateOf(Attributes().Accepting(0).State(IPP_PSTATE_STOPPED).ipp.get()).verdict);
  // The state in another type stops nothing.
  Attributes wrongType;
  ippAddInteger(wrongType.ipp.get(), IPP_TAG_PRINTER, IPP_TAG_INTEGER, "printer-state", 5);
  EXPECT_TRUE(QueueStateOf(wrongType.ipp.get()).Accepted());
}

TEST(CupsQueue, AnUnreachableSchedulerIsToldApartFromWhatTheSchedulerSays) {
  const struct {
    ipp_status_t status;
    bool reachable;
    Verdict verdict;
    const char* message;
  } cases[] = {
      {IPP_STATUS_OK, false, Verdict::Accepted, ""},
      {IPP_STATUS_ERROR_SERVICE_UNAVAILABLE, false, Verdict::Unreachable, ""},
      {IPP_STATUS_ERROR_INTERNAL, false, Verdict::Unreachable, ""},
      // The scheduler is there: its own words.
      {IPP_STATUS_ERROR_INTERNAL, true, Verdict::Failed, "Bad file descriptor"},
      {IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS, false, Verdict::NotAccepting, "Bad file descriptor"},
      {IPP_STATUS_ERROR_NOT_FOUND, false, Verdict::NotFound, "Bad file descriptor"},
  };
  for (const auto& c : cases) {
    const QueueAnswer answer =
        AnswerOfStatus(c.status, "Bad file descriptor", [&c] { return c.reachable; });
    EXPECT_EQ(c.verdict, answer.verdict) << ippErrorString(c.status);
    EXPECT_EQ(c.message, answer.message) << ippErrorString(c.status);
  }

  // libcups itself, pointed at a scheduler that is not there.
  testing::TempDir dir;
  const std::string socket = (dir.path() / "cups.sock").string();
  cupsSetServer(socket.c_str());
  EXPECT_FALSE(CupsSchedulerReachable());
  const QueueAnswer gone = CupsQueueState("PDF");
  cupsSetServer(nullptr);
  EXPECT_EQ(Verdict::Unreachable, gone.verdict) << gone.message;
}

}  // namespace
}  // namespace vek
