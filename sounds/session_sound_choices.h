// The sound trigger's choices in the running program: the session's settings and its named
// operations, each of which saves and tells SessionChange::Sounds.
#pragma once

#include "program/program_session.h"
#include "sounds/sound_choices.h"

namespace vek {

// Refers to the session, which must outlive it.
class SessionSoundChoices : public SoundChoices {
 public:
  explicit SessionSoundChoices(ProgramSession& session) : session_(session) {}

  const VekSettings& Settings() const override;
  void SetAzhan(std::uint8_t index) override;
  void SetNextAzhan(std::uint8_t index) override;
  void SetAzanSound(bool on) override;
  void SetAlarmSound(bool on) override;
  void SetOpeningBasmalah(bool on) override;
  void SetShuruqSound(bool on) override;
  void SetAllSounds(bool on) override;

 private:
  ProgramSession& session_;
};

}  // namespace vek
