#include "locations/dialogs/times_panel.h"

#include <QGridLayout>
#include <QLabel>

#include "foundation/qt/qt_strings.h"
#include "program/display_texts.h"

namespace vek {

namespace {

constexpr std::array<const char*, kPrayerSlots> kEnglishSlotNames = {
    "Imsak", "Fajr", "Shuruq", "Zuhr", "Asr", "Maghrib", "Isha"};
constexpr std::array<const char*, kPrayerSlots> kArabicSlotNames = {
    "الإمساك", "الفجر", "الشروق", "الظهر", "العصر", "المغرب", "العشاء"};

}  // namespace

TimesPanel::TimesPanel(double nameScale, double timeScale, QWidget* parent) : QFrame(parent) {
  setObjectName("KQ_P");
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setStyleSheet("#KQ_P { background: #fbfaf5; }");
  grid_ = new QGridLayout(this);
  grid_->setHorizontalSpacing(18);
  grid_->setVerticalSpacing(4);
  QFont timeFont = font();
  timeFont.setPointSizeF(timeFont.pointSizeF() * timeScale);
  timeFont.setBold(true);
  QFont nameFont = font();
  nameFont.setPointSizeF(nameFont.pointSizeF() * nameScale);
  for (int i = 0; i < kPrayerSlots; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    names_[slot] = new QLabel;
    names_[slot]->setFont(nameFont);
    times_[slot] = new QLabel;
    times_[slot]->setFont(timeFont);
    times_[slot]->setObjectName(QString("Time") + kEnglishSlotNames[slot]);
    grid_->addWidget(names_[slot], i, 0);
    grid_->addWidget(times_[slot], i, 1);
  }
}

void TimesPanel::SetLanguage(Language lang) {
  const auto& names = lang == Language::Arabic ? kArabicSlotNames : kEnglishSlotNames;
  for (std::size_t i = 0; i < names_.size(); ++i)
    names_[i]->setText(QString::fromUtf8(names[i]));
}

void TimesPanel::ShowTimes(const TDayTimesRec& times, bool isRamadan, bool is24H) {
  ShowImsak(isRamadan);
  for (std::size_t i = 0; i < times_.size(); ++i)
    SetTextIfChanged(times_[i], ToQString(FormatPrayerTime(times[i], is24H)));
}

void TimesPanel::ShowTime(int slot, const QString& text) {
  SetTextIfChanged(times_[static_cast<std::size_t>(slot)], text);
}

void TimesPanel::ShowImsak(bool shown) {
  for (std::size_t i = 0; i < times_.size(); ++i) {
    names_[i]->setVisible(i != Imsak || shown);
    times_[i]->setVisible(i != Imsak || shown);
  }
}

void TimesPanel::Clear() {
  for (QLabel* time : times_)
    time->clear();
}

void TimesPanel::AddToRow(int slot, QWidget* widget) {
  grid_->addWidget(widget, slot, 2);
}

void TimesPanel::KeepToStart() {
  grid_->setColumnStretch(2, 1);
}

}  // namespace vek
