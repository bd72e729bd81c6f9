#include "locations/us_states.h"

namespace vek {

const std::array<UsState, kUsStateCount> UsStates = {{
    {"Alaska", "AK"},         {"Alabama", "AL"},
    {"Arkansas", "AR"},       {"Arizona", "AZ"},
    {"California", "CA"},     {"Colorado", "CO"},
    {"Connecticut", "CT"},    {"Dist of Columbia", "DC"},
    {"Delaware", "DE"},       {"Florida", "FL"},
    {"Georgia", "GA"},        {"Hawaii", "HI"},
    {"Iowa", "IA"},           {"Idaho", "ID"},
    {"Illinois", "IL"},       {"Indiana", "IN"},
    {"Kansas", "KS"},         {"Kentucky", "KY"},
    {"Louisiana", "LA"},      {"Massachusetts", "MA"},
    {"Maryland", "MD"},       {"Maine", "ME"},
    {"Michigan", "MI"},       {"Minnesota", "MN"},
    {"Missouri", "MO"},       {"Mississippi", "MS"},
    {"Montana", "MT"},        {"North Carolina", "NC"},
    {"North Dakota", "ND"},   {"Nebraska", "NE"},
    {"New Hampshire", "NH"},  {"New Jersey", "NJ"},
    {"New Mexico", "NM"},     {"Nevada", "NV"},
    {"New York", "NY"},       {"Ohio", "OH"},
    {"Oklahoma", "OK"},       {"Oregon", "OR"},
    {"Pennsylvania", "PA"},   {"Rhode Island", "RI"},
    {"South Carolina", "SC"}, {"South Dakota", "SD"},
    {"Tennessee", "TN"},      {"Texas", "TX"},
    {"Utah", "UT"},           {"Virginia", "VA"},
    {"Vermont", "VT"},        {"Washington", "WA"},
    {"Wisconsin", "WI"},      {"West Virginia", "WV"},
    {"Wyoming", "WY"},
}};

std::string UsStateName(int index) {
  if (index < 1 || index > kUsStateCount)
    return {};
  return std::string(UsStates[index - 1].Name);
}

bool UsStateCodeFromName(std::string_view name, std::string& code) {
  for (const UsState& state : UsStates) {
    if (state.Name == name) {
      code = state.Code;
      return true;
    }
  }
  return false;
}

bool UsStateNameFromCode(std::string_view code, std::string& name) {
  for (const UsState& state : UsStates) {
    if (state.Code == code) {
      name = state.Name;
      return true;
    }
  }
  return false;
}

}  // namespace vek
