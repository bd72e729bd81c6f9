// The US states (and the District of Columbia) with their postal codes: a location in the USA
// stores the code, the dialogs show the name.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace vek {

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
