#include "foundation/bitmap_file.h"

namespace vek {

namespace {

std::uint32_t Le16(std::string_view d, std::size_t at) {
  return static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1]) << 8;
}
std::uint32_t Le32(std::string_view d, std::size_t at) {
  return Le16(d, at) | Le16(d, at + 2) << 16;
}

}  // namespace

bool BitmapIsComplete(std::string_view d) {
  if (d.size() < 26 || d[0] != 'B' || d[1] != 'M')
    return false;
  const std::uint64_t offset = Le32(d, 10);
  const std::uint32_t header = Le32(d, 14);
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t bits = 0;
  std::uint32_t compression = 0;
  std::uint64_t imageSize = 0;
  if (header == 12) {
    width = Le16(d, 18);
    height = Le16(d, 20);
    bits = Le16(d, 24);
  } else if (header >= 40 && d.size() >= 54) {
    width = static_cast<std::int32_t>(Le32(d, 18));
    height = static_cast<std::int32_t>(Le32(d, 22));
    bits = Le16(d, 28);
    compression = Le32(d, 30);
    imageSize = Le32(d, 34);
  } else {
    return false;
  }
  if (height < 0)
    height = -height;
  if (width <= 0 || height == 0 || width > 16384 || height > 16384 || bits == 0 || bits > 32)
    return false;
  std::uint64_t pixels;
  if (compression == 0 || compression == 3 || compression == 6) {  // plain or bit fields
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    pixels = stride * static_cast<std::uint64_t>(height);
  } else {
    pixels = imageSize == 0 ? 1 : imageSize;  // run-length data: as long as announced
  }
  return d.size() >= offset + pixels;
}

}  // namespace vek
