// The minute logic of the main window: which event of the day comes next (Imsak in Ramadan, or
// one of the six prayer times), how many minutes are left to it, the status icon and texts that
// tell where the current moment stands in the current prayer period, the countdown captions and
// the daylight-saving label.
#pragma once

#include <string>
#include <string_view>

#include "engine/day_times.h"
#include "foundation/language.h"
#include "locations/location_record.h"
#include "program/status_icon.h"

namespace vek {

// The right-to-left mark (U+200F) that frames the Arabic captions.
inline constexpr std::string_view kRlm = "\u200F";

// The whole minute of the day (0..1439) of a time: rounded to the millisecond, then cut to the
// minute; a time below zero or of a day or more wraps into the day. No time at all reads as 0.
int MinuteOfDay(double time);

// The status icon and the texts that go with it. The hints of the status pictures are the
// pop-up part (text and help) and, after "|", the status-line part (the text alone).
struct StatusState {
  StatusIcon Icon = StatusIcon::Normal;
  std::string ArabicStatusText;
  std::string EnglishStatusText;
  std::string ArabicStatusHelp;
  std::string EnglishStatusHelp;

  std::string ArabicHint() const;
  std::string EnglishHint() const;
};

// Chooses the icon and texts from the length of the current prayer period and the minutes left
// in it: red in the last 15 minutes (the Imsak warning when toImsak), else green, yellow or
// violet for its first, second and last third, each in three steps of a ninth. A remaining time
// on a boundary belongs to the later (lower) band. Both help texts are set, both status texts
// replaced.
void ShowStatusByThirds(int intervalMinutes, int remainingMinutes, bool toImsak,
                        StatusState& state);

struct NextEvent {
  TPrayerSlot Kind = Fajr;
  int MinutesToNext = 0;
  bool operator==(const NextEvent&) const = default;
};

// The next event after nowMinute (0..1439), and the status for it. An event at exactly this
// minute is still the next one, with 0 minutes left.
//
// A day's times are read as one rising sequence around its Zuhr: a time after Zuhr that is
// smaller than the one before it lies past midnight (an Isha at 00:30 counts as 24:30), a time
// before Zuhr that is larger than the one after it lies in the evening before. Tomorrow's times
// are taken as today's a full day later, so after Isha the countdown runs to today's Imsak (in
// Ramadan) or Fajr plus 24 hours. While the evening of yesterday is not over (its Isha falls
// after midnight and has not come yet), its events are the next ones.
//
// Imsak is an event only in Ramadan; before Fajr in Ramadan the status stays as it was (the
// Imsak warning). Between Shuruq and Zuhr the icon is the normal one and the status texts are
// the Zuhr notice from 15 minutes before, empty before that; the help texts stay.
NextEvent ComputeNextEvent(int nowMinute, const TDayTimesRec& today, const TDayTimesRec& yesterday,
                           bool isRamadan, StatusState& state);

// The countdown captions: the long text of the label under the clock (framed by right-to-left
// marks in Arabic), the short form, the application title and the tray hint.
struct CountdownTexts {
  std::string Long;
  std::string Short;
  std::string Title;
  std::string TrayHint;
  bool operator==(const CountdownTexts&) const = default;
};

CountdownTexts MakeCountdownTexts(int minutesToNext, TPrayerSlot kind, Language lang);

// The next-time line of the prayer-time alert window.
std::string AlertNextTimeText(const CountdownTexts& texts, Language lang);

struct SavingTimeLabels {
  std::string English;
  std::string Arabic;
  bool operator==(const SavingTimeLabels&) const = default;
};

// The daylight-saving label of dayOfYear (1..366): the engine's rule (InDaylightSaving), whose
// period runs across the new year when its start day is not before its end day.
SavingTimeLabels SavingTimeTexts(const TLocationRec& loc, int dayOfYear);

}  // namespace vek
