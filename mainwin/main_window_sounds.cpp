#include "mainwin/main_window.h"

#include <QInputDialog>
#include <QMenuBar>

#include "foundation/qt/qt_strings.h"
#include "foundation/text.h"
#include "mainwin/program_icons.h"
#include "program/display_texts.h"
#include "program/settings_converters.h"
#include "sounds/azhan_description.h"
#include "sounds/sound_files.h"
#include "sounds/sound_player.h"
#include "sounds/sound_trigger.h"

namespace vek {

namespace {

QString Q(const std::string& s) {
  return ToQString(s);
}

}  // namespace

void TVEK__MAIN::RunSoundTrigger(bool force) {
  if (!session_->HasCurrentLocation())
    return;  // no location, no times: nothing is announced
  trigger_->SoundAndAlertTrigger(force, Context().Next, MomentOf(Context().Tick));
  UpdateAzhanButton();
  if (trigger_->HasTask())
    W.TaskTimer->start();
}

void TVEK__MAIN::RunTasks() {
  if (!trigger_->HasTask()) {
    W.TaskTimer->stop();
    return;
  }
  if (player_->ResourcePlaying())
    return;  // the opening Basmalah plays to its end first
  trigger_->RunNextTask();
  UpdateSoundItems();
}

void TVEK__MAIN::BuildSoundsMenu() {
  W.SoundsMenu = menuBar()->addMenu(QString());
  for (int i = 0; i < 6; ++i) {
    W.AzhanItems[i] = W.SoundsMenu->addAction(QString(), this, [this, i] { SelectAzhanClick(i); });
    W.AzhanItems[i]->setCheckable(true);
  }
  W.AllAzhansItem =
      W.SoundsMenu->addAction(QString(), this, [this] { SelectAzhanClick(kAllAzhans); });
  W.AllAzhansItem->setCheckable(true);
  W.SoundsMenu->addSeparator();
  QMenu* tests = W.TestAzhanMenu = W.SoundsMenu->addMenu(QString());
  for (int tag = 1; tag <= 8; ++tag)
    W.TestAzhanItems[tag - 1] =
        tests->addAction(QString(), this, [this, tag] { TestAzhanClick(tag); });
  QMenu* names = W.AzhanNamesMenu = W.SoundsMenu->addMenu(QString());
  for (int tag = 1; tag <= 8; ++tag)
    W.ChAzNameItems[tag - 1] =
        names->addAction(QString(), this, [this, tag] { ChAzNameClick(tag); });
  W.SoundsMenu->addSeparator();
  W.AllSoundsItem = W.SoundsMenu->addAction(QString(), this, [this] { AllSoundsClick(); });
  W.ShuruqWarningItem =
      W.SoundsMenu->addAction(QString(), this, [this] { AllowShuruqWarningClick(); });
  W.BasmalahItem = W.SoundsMenu->addAction(QString(), this, [this] { BasmalahClick(); });
  W.StopThisTimeItem =
      W.SoundsMenu->addAction(QString(), this, [this] { StopSoundThisTimeOnlyClick(); });
  for (QAction* a : {W.AllSoundsItem, W.ShuruqWarningItem, W.BasmalahItem})
    a->setCheckable(true);
  W.SoundsMenu->addSeparator();
  W.ReadAvailableSurasItem =
      W.SoundsMenu->addAction(QString(), this, [this] { ReadAvailableSurasClick(); });
  W.NextSuraItem = W.SoundsMenu->addAction(QString(), this, [this] { NextSuraClick(); });
  W.StopReadingItem = W.SoundsMenu->addAction(QString(), this, [this] { StopReadingClick(); });
  W.RefreshItem = W.SoundsMenu->addAction(QString(), this, [this] { RefreshClick(); });
  // A recitation ends on its own while the menu is closed: its items are brought up to date
  // whenever it opens.
  connect(W.SoundsMenu, &QMenu::aboutToShow, this, [this] { UpdateSoundItems(); });
}

void TVEK__MAIN::CaptionSoundsMenu() {
  const VekSettings& s = Settings();
  const auto& names = Arabic() ? s.AzhanDescriptions.Arabic : s.AzhanDescriptions.English;
  W.SoundsMenu->setTitle(Q(Text("&Sounds", "الأ&صوات")));
  for (int i = 0; i < 6; ++i)
    W.AzhanItems[i]->setText(Q(names[i]));
  W.AllAzhansItem->setText(Q(Text("All, in turn", "الكل بالتناوب")));
  W.TestAzhanMenu->setTitle(Q(Text("Test Azhan", "تجربة الأذان")));
  W.AzhanNamesMenu->setTitle(Q(Text("Change Azhan description", "تغيير وصف الأذان")));
  for (int i = 0; i < 8; ++i) {
    W.TestAzhanItems[i]->setText(Q(names[i]));
    W.ChAzNameItems[i]->setText(Q(names[i]));
  }
  W.AllSoundsItem->setText(Q(Text("All sounds", "جميع الأصوات")));
  W.ShuruqWarningItem->setText(Q(Text("Shuruq warning", "التنبيه عند الشروق")));
  W.BasmalahItem->setText(Q(Text("Opening Basmalah", "البسملة عند بدء البرنامج")));
  W.ShowWarningScreenItem->setText(Q(Text("Show Warning Screen", "إظهار نافذة التنبيه")));
  W.StopThisTimeItem->setText(Q(Text("Stop sound this time only", "إيقاف الصوت هذه المرة فقط")));
  W.ReadAvailableSurasItem->setText(Q(Text("Read available Suras", "تلاوة السور المتوفرة")));
  W.NextSuraItem->setText(Q(Text("Next Sura", "السورة التالية")));
  W.StopReadingItem->setText(Q(Text("Stop reading", "إيقاف التلاوة")));
  W.RefreshItem->setText(Q(Text("Refresh the Sura list", "تحديث قائمة السور")));
}

void TVEK__MAIN::UpdateSoundItems() {
  CaptionSoundsMenu();
  const VekSettings& s = Settings();
  for (int i = 0; i < 6; ++i) {
    W.AzhanItems[i]->setEnabled(trigger_->AzhanItemEnabled(i));
    W.AzhanItems[i]->setChecked(s.AzhanIndex == i);
  }
  W.AllAzhansItem->setEnabled(trigger_->AvailableAzhanCount() > 1);
  W.AllAzhansItem->setChecked(s.AzhanIndex == kAllAzhans);
  const std::array<bool, 8> files = PresentAzhanFiles(Context().ThisPath);
  for (int i = 0; i < 8; ++i) {
    W.TestAzhanItems[i]->setEnabled(files[i]);
    W.ChAzNameItems[i]->setEnabled(i < 7 && files[i]);  // the last Fajr recording has no rename
  }
  W.AllSoundsItem->setChecked(trigger_->AllSoundsChecked());
  W.ShuruqWarningItem->setChecked(s.ShuruqSoundOn);
  W.BasmalahItem->setChecked(s.OpeningBasmalah);
  W.ShowWarningScreenItem->setChecked(s.ShowWarningScreen);
  W.ReadAvailableSurasItem->setEnabled(trigger_->ReadItemsEnabled());
  // Next and Stop follow the recitation: nothing to skip or stop while nothing is read.
  const bool reciting = trigger_->Reading().RecitationRunning();
  W.NextSuraItem->setEnabled(trigger_->NextItemsEnabled() && reciting);
  W.StopReadingItem->setEnabled(reciting);
  SetTextIfChanged(W.AlarmSoundBtn, Q(AlarmSoundButtonCaption(s.AlarmSoundOn, s.Lang)));
  W.AlarmSoundBtn->setIcon(s.AlarmSoundOn ? AlarmOnImage() : AlarmOffImage());
  const std::string hint = AlarmSoundButtonHint(s.AlarmSoundOn, s.Lang);
  W.AlarmSoundBtn->setToolTip(Q(hint));
  W.AlarmSoundBtn->setStatusTip(Q(FlattenLines(hint)));
  UpdateAzhanButton();
}

void TVEK__MAIN::AfterSoundCommand(bool settingsChanged) {
  // A changed setting was saved and told, and the sound items followed it.
  if (!settingsChanged)
    UpdateSoundItems();
}

void TVEK__MAIN::AlarmSoundBtnClick() {
  AfterSoundCommand(trigger_->AlarmSoundBtnClick());
}

void TVEK__MAIN::SelectAzhanClick(int index) {
  AfterSoundCommand(trigger_->SelectAzhan(index));
}

void TVEK__MAIN::TestAzhanClick(int tag) {
  trigger_->TestAzhan(tag);
  UpdateSoundItems();
}

void TVEK__MAIN::ChAzNameClick(int tag) {
  const VekSettings& s = Settings();
  const int index = tag - 1;
  const auto& descriptions = Arabic() ? s.AzhanDescriptions.Arabic : s.AzhanDescriptions.English;
  const std::string current = descriptions[index];
  const AzhanDescriptionQuestion question = AskAzhanDescription(current, s.Lang);
  QInputDialog input(this);
  input.setWindowTitle(Q(question.title));
  input.setLabelText(Q(question.label));
  input.setTextValue(Q(current));
  if (ShowModal(input) != QDialog::Accepted)
    return;
  const std::string typed = ToUtf8(input.textValue().trimmed());
  const AzhanDescriptionCheck check = CheckAzhanDescription(typed, current, s.Lang);
  if (!check.refusal.empty())
    ui_->ShowMessage(check.refusal);
  if (!check.store)
    return;
  session_->SetAzhanDescription(Settings().Lang, index, typed);
  ui_->ShowMessage(AzhanDescriptionNotice(index, Settings().AzhanDescriptions, Settings().Lang,
                                          Context().ThisPath));
}

void TVEK__MAIN::AllSoundsClick() {
  AfterSoundCommand(trigger_->ae_AllSoundsClick());
}

void TVEK__MAIN::AllowShuruqWarningClick() {
  AfterSoundCommand(trigger_->AllowShuruqWarningClick());
}

void TVEK__MAIN::BasmalahClick() {
  AfterSoundCommand(trigger_->ae_BasmalahClick());
}

void TVEK__MAIN::StopSoundThisTimeOnlyClick() {
  trigger_->ae_StopSoundThisTimeonlyClick();
  UpdateSoundItems();
}

void TVEK__MAIN::ShowWarningScreenClick() {
  session_->SetShowWarningScreen(!Settings().ShowWarningScreen);
}

void TVEK__MAIN::ReadAvailableSurasClick() {
  trigger_->ReadAvailableSurasClick();
  UpdateSoundItems();
}

void TVEK__MAIN::NextSuraClick() {
  trigger_->NextSuraClick();
  if (trigger_->HasTask())
    W.TaskTimer->start();
  UpdateSoundItems();
}

void TVEK__MAIN::StopReadingClick() {
  trigger_->StopReadingClick();
  UpdateSoundItems();
}

void TVEK__MAIN::RefreshClick() {
  trigger_->RefreshClick();
  UpdateSoundItems();
}

}  // namespace vek
