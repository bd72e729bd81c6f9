// Fixed tables of the main program: the named font colours, the adhan sound files and the US
// states with their postal codes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vek {

// A colour value (COLORREF, 0x00BBGGRR) and the name under which fonts store it.
struct FontColorName {
  std::uint32_t Color;
  std::string_view Name;
};

inline constexpr std::array<FontColorName, 16> FontColorNames = {{
    {0x000000, "Black"},
    {0x000080, "Maroon"},
    {0x008000, "Green"},
    {0x008080, "Olive"},
    {0x800000, "Navy"},
    {0x800080, "Purple"},
    {0x808000, "Teal"},
    {0x808080, "Gray"},
    {0xC0C0C0, "Silver"},
    {0x0000FF, "Red"},
    {0x00FF00, "Lime"},
    {0x00FFFF, "Yellow"},
    {0xFF0000, "Blue"},
    {0xFF00FF, "Fuchsia"},
    {0xFFFF00, "Aqua"},
    {0xFFFFFF, "White"},
}};

// The eight adhan recordings, by sound index 0..7.
inline constexpr std::array<std::string_view, 8> AzhanFiles = {
    "AZHAN_M1.WAV", "ALEPPO.WAV",  "EGYPT1.WAV",   "EGYPT2.WAV",
    "MACCAH1.WAV",  "MACCAH2.WAV", "F-MADINA.WAV", "F-EGYPT2.WAV",
};

// A US state (or the District of Columbia): its name of at most 16 characters and its postal
// code.
struct UsState {
  std::string_view Name;
  std::string_view Code;
};

// The states are numbered 1..kUsStateCount in the order of their codes; state number i is
// UsStates[i - 1].
inline constexpr int kUsStateCount = 51;
extern const std::array<UsState, kUsStateCount> UsStates;

// The name of state number index (1..51); empty for any other index.
std::string UsStateName(int index);

// The code of the state named exactly name. False, with code left as given, when no state has
// that name.
bool UsStateCodeFromName(std::string_view name, std::string& code);

// The name of the state with exactly that code. False, with name left as given, when no state
// has that code.
bool UsStateNameFromCode(std::string_view code, std::string& name);

}  // namespace vek
