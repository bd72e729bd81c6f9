// The panel of the seven prayer times shown by the main window and the select-location dialog:
// a name and a time a row, Imsak to Isha, the Imsak row only in Ramadan.
#pragma once

#include <QFrame>
#include <QString>

#include <array>

#include "engine/day_times.h"
#include "foundation/language.h"

class QGridLayout;
class QLabel;

namespace vek {

class TimesPanel : public QFrame {
  Q_OBJECT

 public:
  // The names' and the times' fonts are the panel's font scaled by nameScale and timeScale (the
  // times bold). The panel is named "KQ_P" and each time label "Time" + the English slot name.
  TimesPanel(double nameScale, double timeScale, QWidget* parent = nullptr);

  // The slot names in lang.
  void SetLanguage(Language lang);
  // The times of a day as the clock shows them, the Imsak row shown only in Ramadan.
  void ShowTimes(const TDayTimesRec& times, bool isRamadan, bool is24H);
  // One slot's time text.
  void ShowTime(int slot, const QString& text);
  // The Imsak row (name and time) shown or hidden.
  void ShowImsak(bool shown);
  // Every time emptied.
  void Clear();
  // Puts widget at the end of slot's row.
  void AddToRow(int slot, QWidget* widget);
  // The rows keep to the panel's leading side; the width left over goes after them.
  void KeepToStart();

  const std::array<QLabel*, kPrayerSlots>& Names() const { return names_; }
  const std::array<QLabel*, kPrayerSlots>& Times() const { return times_; }

 private:
  QGridLayout* grid_;
  std::array<QLabel*, kPrayerSlots> names_{};
  std::array<QLabel*, kPrayerSlots> times_{};
};

}  // namespace vek
