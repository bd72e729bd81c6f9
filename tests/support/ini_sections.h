// VEK.INI's sections over a plain IniFile in memory, for the windows that keep their own: reads
// see the file, and each write applies its edit to it and counts as one save.
#pragma once

#include <functional>

#include "foundation/ini_file.h"
#include "program/settings_sections.h"

namespace vek::testing {

class IniSections final : public SettingsSections {
 public:
  const IniFile& File() const override { return ini; }
  void Write(const std::function<void(IniFile&)>& edit) override {
    edit(ini);
    ++saves;
  }

  IniFile ini;
  int saves = 0;
};

}  // namespace vek::testing
