// The check that a Windows bitmap file (".BMP") is whole: the pictures of the clock faces are such
// files, unpacked from their archives or brought by Live Update.
#pragma once

#include <cstdint>
#include <string_view>

namespace vek {

// Far above any face picture (a 140 x 140 bitmap is under 80 KB); a larger entry or file is not
// a face and is not unpacked or read.
inline constexpr std::uint64_t kMaxPictureBytes = 16u << 20;

// True when the bytes are a bitmap file ("BM", a core or an info header of sensible dimensions)
// that holds all the pixel data its header announces. The image reader itself accepts a
// truncated file and shows it partly black.
bool BitmapIsComplete(std::string_view bytes);

}  // namespace vek
