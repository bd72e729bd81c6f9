// The sections of VEK.INI that windows keep themselves (the timetable's designs, the report
// range): they read them from the file as it is, and change them only through Write, whose owner
// (the session) applies the change and saves the file as it saves every setting.
#pragma once

#include <functional>

#include "foundation/ini_file.h"

namespace vek {

class SettingsSections {
 public:
  virtual ~SettingsSections() = default;

  // VEK.INI as it is in memory, with every section written so far.
  virtual const IniFile& File() const = 0;
  // Applies edit to VEK.INI and saves the file (a failure is reported by the owner). Before the
  // start-up has finished the edit is kept in memory and saved with the first save after it.
  virtual void Write(const std::function<void(IniFile&)>& edit) = 0;
};

}  // namespace vek
