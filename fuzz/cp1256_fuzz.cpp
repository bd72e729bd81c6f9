// Code page 1256: any bytes decode and encode back to themselves; any bytes taken as UTF-8 are
// either refused or encode to bytes that decode back to exactly that UTF-8, so no overlong form,
// surrogate or value beyond Unicode passes as a character.
#include "foundation/cp1256.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vek;
  using namespace vek::fuzz;
  const std::string_view input = AsText(data, size);

  const std::string utf8 = Cp1256ToUtf8(input);
  Check(Utf8ToCp1256(utf8) == std::optional<std::string>(std::string(input)),
        "code page bytes round-trip");

  const std::optional<std::string> encoded = Utf8ToCp1256(input);
  Check(encoded.has_value() == FitsCp1256(input), "FitsCp1256 agrees with the encoder");
  if (encoded)
    Check(Cp1256ToUtf8(*encoded) == input, "what is encoded decodes to the same UTF-8");
  const std::string lossy = Utf8ToCp1256Lossy(input);
  Check(lossy.size() <= input.size(), "the lossy encoding is never longer than its input");
  if (encoded)
    Check(lossy == *encoded, "the lossy encoding of text that fits is the strict one");
  return 0;
}
