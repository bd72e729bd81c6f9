#include "platform/cups_queue.h"

#include <gtest/gtest.h>

#include <memory>

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

}  // namespace
}  // namespace vek
