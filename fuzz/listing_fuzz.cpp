// The Live Update listing and ignore files: any bytes as either file, read from disk as the
// program reads them. Records that are read encode to 168 or 160 bytes that decode to the same
// record.
#include "fuzz/fuzz_support.h"
#include "liveupdate/listing_record.h"

namespace vek::fuzz {
namespace {

bool SameListing(const TListingRec& a, const TListingRec& b) {
  return a.Text == b.Text && a.Author == b.Author && a.FileName == b.FileName && a.Size == b.Size &&
         a.Date == b.Date && a.Module == b.Module && a.NewerOnly == b.NewerOnly &&
         a.IsTextBook == b.IsTextBook && a.NoSuchFolder == b.NoSuchFolder && a.Kind == b.Kind &&
         a.State == b.State;
}

}  // namespace
}  // namespace vek::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vek;
  using namespace vek::fuzz;
  const std::filesystem::path file = ScratchFolder() / "vekdirs.rec";
  WriteInput(file, AsText(data, size));
  std::string bytes;
  int e = 0;
  Check(ReadRecordFile(file, bytes, e) == RecordFileError::None, "a small file reads");
  Check(bytes == AsText(data, size), "the file reads as written");

  RecordFileError error = RecordFileError::None;
  for (const TListingRec& rec : DecodeListing(bytes, error)) {
    std::string encoded;
    AppendListingRec(rec, encoded);
    Check(encoded.size() == kListingRecSize, "a listing record is 168 bytes");
    Check(SameListing(DecodeListingRec(encoded), rec), "a listing record round-trips");
  }
  Check(!RecordFileErrorText(error, e, file, Language::Arabic).empty() ==
            (error != RecordFileError::None),
        "every refusal has a message");

  bool cut = false;
  for (const TIgnoreRec& rec : DecodeIgnoreFile(bytes, cut, error)) {
    std::string encoded;
    AppendIgnoreRec(rec, encoded);
    Check(encoded.size() == kIgnoreRecSize, "an ignore record is 160 bytes");
    const TIgnoreRec back = DecodeIgnoreRec(encoded);
    Check(back.FileName == rec.FileName && back.Size == rec.Size && back.Date == rec.Date &&
              back.Description == rec.Description,
          "an ignore record round-trips");
  }
  Check(cut == (bytes.size() % kIgnoreRecSize != 0), "a cut ignore file is told");
  return 0;
}
