// Small valid wave files for tests: 16-bit mono PCM holding a sine tone.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

namespace vek::testing {

namespace wave_detail {

inline void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace wave_detail

// The bytes of a RIFF/WAVE file of that many seconds of a hz tone at sampleRate, at half the
// full level. Different tones or lengths give different files, so that a test can tell which
// one ended where.
inline std::string MakeWave(double seconds, int hz = 440, int sampleRate = 22050) {
  using wave_detail::PutLe;
  const auto frames = static_cast<std::uint32_t>(seconds * sampleRate);
  const std::uint32_t dataBytes = frames * 2;
  std::string out;
  out.reserve(44 + dataBytes);
  out += "RIFF";
  PutLe(out, 36 + dataBytes, 4);
  out += "WAVEfmt ";
  PutLe(out, 16, 4);                                          // format chunk size
  PutLe(out, 1, 2);                                           // PCM
  PutLe(out, 1, 2);                                           // mono
  PutLe(out, static_cast<std::uint32_t>(sampleRate), 4);      // frames per second
  PutLe(out, static_cast<std::uint32_t>(sampleRate) * 2, 4);  // bytes per second
  PutLe(out, 2, 2);                                           // bytes per frame
  PutLe(out, 16, 2);                                          // bits per sample
  out += "data";
  PutLe(out, dataBytes, 4);
  for (std::uint32_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const auto sample =
        static_cast<std::int16_t>(std::lround(16383.0 * std::sin(2 * std::numbers::pi * hz * t)));
    PutLe(out, static_cast<std::uint16_t>(sample), 2);
  }
  return out;
}

}  // namespace vek::testing
