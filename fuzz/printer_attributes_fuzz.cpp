// The print system's answer about a printer's queue: any bytes as the IPP message that CUPS
// sends back for Get-Printer-Attributes, read by libcups as the program reads it, then the
// queue's state taken from it. Only a queue that says it accepts no jobs refuses, only one whose
// printer says it is stopped holds its jobs, and a queue that takes jobs at once carries no
// message.
#include <cups/ipp.h>

#include <algorithm>
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "platform/cups_queue.h"

namespace {

struct Input {
  const std::uint8_t* data;
  std::size_t size;
};

ssize_t ReadInput(void* context, ipp_uchar_t* buffer, std::size_t bytes) {
  auto* input = static_cast<Input*>(context);
  const std::size_t n = std::min(bytes, input->size);
  std::memcpy(buffer, input->data, n);
  input->data += n;
  input->size -= n;
  return static_cast<ssize_t>(n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vek;
  Input input{data, size};
  ipp_t* answer = ippNew();
  if (ippReadIO(&input, ReadInput, 1, nullptr, answer) == IPP_STATE_DATA) {
    const QueueAnswer state = QueueStateOf(answer);
    fuzz::Check(state.verdict == QueueAnswer::Verdict::Accepted ||
                    state.verdict == QueueAnswer::Verdict::Stopped ||
                    state.verdict == QueueAnswer::Verdict::NotAccepting,
                "a queue's attributes take jobs, hold them or refuse them");
    fuzz::Check(!state.Accepted() || state.message.empty(), "a queue that takes jobs says nothing");
  }
  ippDelete(answer);
  return 0;
}
