// Renders every form of the program offscreen to PNG files, for a developer to look at:
//   vek_screenshots <output folder>
// Each group of forms has its own function; a new form adds a function and one line in main.
#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "calendar/date_picker.h"
#include "calendar/range_selector.h"
#include "engine/calendar.h"
#include "foundation/command_line.h"
#include "foundation/file_io.h"
#include "foundation/qt/bilingual_dialogs.h"
#include "foundation/qt/font_substitutes.h"
#include "foundation/qt/hint_window.h"
#include "foundation/qt/joined_access_key_style.h"
#include "foundation/qt/message_forms.h"
#include "foundation/qt/modal_runner.h"
#include "foundation/qt/qt_ui_services.h"
#include "foundation/ui_services.h"
#include "liveupdate/curl_transfer_client.h"
#include "liveupdate/listing_record.h"
#include "liveupdate/live_update_dialog.h"
#include "locations/dialogs/change_location_dialog.h"
#include "locations/dialogs/location_operations_dialog.h"
#include "locations/dialogs/new_location_dialog.h"
#include "locations/dialogs/select_location_dialog.h"
#include "locations/location_file.h"
#include "mainwin/about_box.h"
#include "mainwin/alert_window.h"
#include "mainwin/analog_clock.h"
#include "mainwin/clock_face_form.h"
#include "mainwin/clock_face_loader.h"
#include "mainwin/first_run_wizard.h"
#include "mainwin/main_window.h"
#include "mainwin/program_icons.h"
#include "mainwin/splash_window.h"
#include "program/current_location.h"
#include "program/dialogs/hijri_adjust_dialog.h"
#include "program/dialogs/month_names_dialog.h"
#include "program/dialogs/safety_times_dialog.h"
#include "program/display_texts.h"
#include "program/settings_converters.h"
#include "report/font_color_dialog.h"
#include "report/print_options_dialog.h"
#include "report/print_preview.h"
#include "report/report_printing.h"
#include "report/timetable.h"
#include "report/timetable_export.h"
#include "report/timetable_view.h"
#include "report/year_graph_window.h"
#include "resources/clock_face.h"
#include "resources/clock_face_packs.h"
#include "resources/program_sounds.h"
#include "sounds/sound_player.h"
#include "support/event_wait.h"
#include "support/fake_printer_info.h"
#include "support/fake_ui.h"
#include "support/fake_wall_clock.h"

namespace {

using vek::Language;

// Shows a form without running a modal loop, renders it to <name>.png and hides it again.
class Shooter {
 public:
  explicit Shooter(QDir dir) : dir_(std::move(dir)) {}

  void Shoot(QWidget& form, const QString& name) {
    form.show();
    QCoreApplication::processEvents();
    Save(form, name);
    form.hide();
  }

  // The modal runner of a dialog the program opens through one: it renders the dialog to
  // <name>.png in place of the user, and answers it as cancelled. A file dialog is rendered once
  // its folder's files are listed.
  vek::ModalRunner Runner(const QString& name) {
    return [this, name](QDialog& dialog) {
      dialog.setWindowModality(Qt::ApplicationModal);
      bool listed = true;
      if (auto* files = dialog.findChild<QFileSystemModel*>()) {
        listed = false;
        QObject::connect(files, &QFileSystemModel::directoryLoaded, &dialog,
                         [&listed] { listed = true; });
      }
      dialog.show();
      vek::testing::Spin([&listed] { return listed; }, std::chrono::seconds(5));
      Shoot(dialog, name);
      return int(QDialog::Rejected);
    };
  }

  // A form that runs its own modal loop where no runner reaches: open runs it, and the form is
  // rendered once it shows, then closed, so that open returns.
  void ShootModal(const QString& name, const std::function<void()>& open) {
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      QWidget* form = QApplication::activeModalWidget();
      if (!form)
        return;
      poll.stop();
      QCoreApplication::processEvents();
      Save(*form, name);
      form->close();
    });
    poll.start();
    open();
  }

  int Failures() const { return failures_; }
  void Fail() { ++failures_; }

 private:
  void Save(QWidget& form, const QString& name) {
    const QString path = dir_.filePath(name + ".png");
    if (!form.grab().save(path)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      ++failures_;
    }
  }

  QDir dir_;
  int failures_ = 0;
};

const char* const kShortMessage = "The prayer times were saved.";
const char* const kLongMessage =
    "The location file could not be read completely. The program goes on with the locations "
    "it could read; the others are lost until the file is restored from a copy.\n"
    "\n"
    "تعذرت قراءة ملف المواقع بالكامل. سيتابع البرنامج بالمواقع التي أمكن قراءتها.\n"
    "\n"
    "Do you want to go on?";
const char* const kArabicMessage = "هل تريد بالتأكيد حذف هذا الموقع؟";

const char* OptionName(int option) {
  switch (option) {
    case vek::kArabicCaptions:
      return "arabic";
    case vek::kBothCaptions:
      return "both";
    default:
      return "english";
  }
}

void ShootBilingualDialogs(Shooter& shooter) {
  struct Message {
    const char* name;
    const char* text;
  };
  const Message messages[] = {{"short", kShortMessage}, {"long", kLongMessage}};
  for (const Message& message : messages) {
    const QString text = QString::fromUtf8(message.text);
    for (int option : {vek::kEnglishCaptions, vek::kArabicCaptions}) {
      const QString suffix = QStringLiteral("_%1_%2").arg(OptionName(option), message.name);
      vek::TQEBox_Dlg box(text, option);
      shooter.Shoot(box, "box" + suffix);
      vek::TQEPromptDlg prompt(text, option);
      shooter.Shoot(prompt, "prompt" + suffix);
    }
    for (int option : {vek::kEnglishCaptions, vek::kArabicCaptions, vek::kBothCaptions}) {
      vek::TQENYDialog question(text, option);
      shooter.Shoot(question, QStringLiteral("noyes_%1_%2").arg(OptionName(option), message.name));
    }
  }
}

void ShootMessageForms(Shooter& shooter) {
  for (Language lang : {Language::English, Language::Arabic}) {
    const bool arabic = lang == Language::Arabic;
    const QString name = arabic ? "arabic" : "english";
    const QString text = QString::fromUtf8(arabic ? kArabicMessage : kShortMessage);
    vek::MessageFormContext context;
    context.lang = lang;

    vek::TKQMessage message(text, context);
    shooter.Shoot(message, "kqmessage_" + name);
    vek::TKQMessage longMessage(QString::fromUtf8(kLongMessage), context);
    shooter.Shoot(longMessage, "kqmessage_" + name + "_long");

    vek::TMessageYesNo question(text, context);
    shooter.Shoot(question, "messageyesno_" + name);
    context.inCloseQuery = true;
    vek::TMessageYesNo closing(text, context);
    shooter.Shoot(closing, "messageyesno_" + name + "_closequery");
  }
}

// The program's message box and Qt's own dialogs as the program opens them, in the user's
// language: the save dialog of a PDF file and the print dialog. The two dialogs open through
// the report window's modal runner; the message box runs its own loop inside the program's
// user interface, where no runner reaches, and is waited for.
void ShootQtDialogs(Shooter& shooter) {
  vek::QtUiServices ui;
  for (Language lang : {Language::English, Language::Arabic}) {
    const bool arabic = lang == Language::Arabic;
    const QString name = arabic ? "arabic" : "english";
    ui.SetLanguage(lang);
    shooter.ShootModal("message_box_" + name, [&] {
      ui.ShowMessage(arabic ? "تعذر حفظ جدول الأوقات في الملف:\r\n/home/user/times.txt\r\n"
                              "المجلد غير موجود (رمز الخطأ 3)"
                            : "The timetable could not be saved to the file:\r\n"
                              "/home/user/times.txt\r\nDOS error code 3: Path not found");
    });
    vek::AskPdfFileNameDialog(QDir::tempPath().toStdString() + "/times.pdf", lang, nullptr,
                              shooter.Runner("file_dialog_" + name));
    QPrinter printer;
    vek::RunPrintDialog(printer, 2, lang, nullptr, shooter.Runner("print_dialog_" + name));
  }
  ui.SetLanguage(Language::English);
}

// The thirteen status icons at 16, 24 and 32 pixels on a light and a dark panel (tray and
// window), the logos in both languages, the adhan glyphs and the program icon.
QPixmap ProgramIconSheet() {
  const int sizes[] = {16, 24, 32};
  const int cell = 40;
  const int logoHeight = 80;
  const int width = std::max(vek::kStatusIconCount * cell + 16, 2 * 320 + 24);
  QPixmap sheet(width, 24 + 6 * cell + 2 * logoHeight + 16 + 2 * cell);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  const char* const names[] = {"N",  "G1", "G2", "G3", "Y1", "Y2", "Y3",
                               "V1", "V2", "V3", "R1", "R2", "R3"};
  for (int i = 0; i < vek::kStatusIconCount; ++i)
    painter.drawText(QRect(8 + i * cell, 4, cell, 16), Qt::AlignCenter, names[i]);
  int top = 24;
  for (const QColor& panel : {QColor(0xee, 0xee, 0xee), QColor(0x2d, 0x2d, 0x30)}) {
    painter.fillRect(QRect(0, top, sheet.width(), 3 * cell), panel);
    for (int size : sizes) {
      for (int i = 0; i < vek::kStatusIconCount; ++i) {
        const QIcon icon = vek::StatusIconImage(static_cast<vek::StatusIcon>(i));
        painter.drawPixmap(8 + i * cell + (cell - size) / 2, top + (cell - size) / 2,
                           icon.pixmap(size));
      }
      top += cell;
    }
  }
  top += 8;
  for (Language lang : {Language::English, Language::Arabic}) {
    const int left = lang == Language::English ? 8 : 8 + 320 + 8;
    painter.drawPixmap(left, top, vek::ProgramLogo(lang, QSize(320, logoHeight)));
    painter.drawPixmap(left + 70, top + logoHeight + 4, vek::ProgramLogo(lang, QSize(180, 44)));
  }
  top += logoHeight + 56;
  int left = 8;
  for (const QIcon& icon : {vek::AzanOnImage(), vek::AzanOffImage()}) {
    for (int size : {16, 24, 32, 48}) {
      painter.drawPixmap(left, top + (48 - size) / 2, icon.pixmap(size));
      left += size + 12;
    }
    left += 24;
  }
  for (int size : {16, 24, 32, 48, 64}) {
    painter.drawPixmap(left, top + (64 - size) / 2, vek::ProgramIcon().pixmap(size));
    left += size + 12;
  }
  return sheet;
}

void ShootProgramIcons(Shooter& shooter) {
  QLabel sheet;
  sheet.setPixmap(ProgramIconSheet());
  sheet.resize(sheet.pixmap().size());
  shooter.Shoot(sheet, "program_icons");
}

void ShootSplash(Shooter& shooter) {
  for (Language lang : {Language::English, Language::Arabic}) {
    vek::TSplashWnd splash(nullptr, lang, true, true);
    shooter.Shoot(splash, lang == Language::Arabic ? "splash_arabic" : "splash_english");
  }
}

// The alert window in both languages: minutes before Asr, Fajr at its time, Shuruq in English
// at its time and before it (the small main font), and the update offer of a program without
// adhan files while the adhan sound is on.
void ShootAlertWindow(Shooter& shooter) {
  struct Scene {
    const char* name;
    vek::TPrayerSlot prayer;
    bool atTime;
    int availableAzhans;
  };
  const Scene scenes[] = {
      {"asr_before", vek::Asr, false, 6},      {"fajr_time", vek::Fajr, true, 6},
      {"shuruq_time", vek::Shuruq, true, 6},   {"shuruq_before", vek::Shuruq, false, 6},
      {"update_offer", vek::Maghrib, true, 0},
  };
  for (const Scene& scene : scenes) {
    for (Language lang : {Language::English, Language::Arabic}) {
      vek::VekSettings settings;
      settings.MoveScreenSaverOption = false;
      vek::AlertWindowContext context;
      context.lang = lang;
      context.azhanCaption = lang == Language::Arabic ? "أذان حلب" : "Aleppo Azhan";
      context.availableAzhanCount = scene.availableAzhans;
      context.settings = &settings;
      auto* window = new vek::TKQTimeWindow(context);
      if (scene.atTime)
        window->ShowPrayerTimeAlert(scene.prayer);
      else
        window->ShowMinutesBefore(scene.prayer, 12);
      if (scene.atTime && scene.availableAzhans > 0)
        window->SetSoundLine(lang == Language::Arabic ? QString::fromUtf8("أذان حلب")
                                                      : QStringLiteral("Aleppo Azhan"));
      shooter.Shoot(*window, QStringLiteral("alert_%1_%2")
                                 .arg(scene.name, lang == Language::Arabic ? "arabic" : "english"));
      delete window;
    }
  }
}

// Messages of the forms shot go to the terminal.
class StderrUi : public vek::UiServices {
 public:
  void ShowMessage(const std::string& text) override {
    std::fprintf(stderr, "message: %s\n", text.c_str());
  }
  void ShowBox(const std::string& text, int) override { ShowMessage(text); }
  void ShowPrompt(const std::string& text, int) override { ShowMessage(text); }
  int AskNoYes(const std::string& text, int) override {
    ShowMessage(text);
    return 0;
  }
  void Beep() override {}
};

// A clock with its caption below it, for the sheets.
vek::AnalogClock* AddClock(QGridLayout* grid, int row, int column, const QString& caption) {
  auto* cell = new QWidget;
  auto* box = new QVBoxLayout(cell);
  auto* clock = new vek::AnalogClock;
  clock->SetTime(10, 8, 37);
  box->addWidget(clock, 0, Qt::AlignHCenter);
  auto* label = new QLabel(caption);
  label->setAlignment(Qt::AlignHCenter);
  box->addWidget(label);
  grid->addWidget(cell, row, column, Qt::AlignBottom);
  return clock;
}

// The clock at every face, at each size, with some hand colours and on the white background,
// and the face chooser in both languages.
void ShootClockFaces(Shooter& shooter) {
  QTemporaryDir folder;
  const std::filesystem::path programFolder = folder.path().toStdString();
  const vek::ResourceModule& packs = ClockFacePacks();
  StderrUi ui;
  const auto load = [&](vek::AnalogClock* clock, int index) {
    vek::LoadClockFace(vek::FaceCodeOfIndex(index), programFolder, packs, *clock, ui,
                       vek::Language::English, vek::CommandLineSwitches{});
  };

  QWidget faces;
  auto* grid = new QGridLayout(&faces);
  for (int index = 0; index < vek::kClockFaceCount; ++index) {
    const QString name = QString::fromStdString(vek::FaceBaseName(vek::FaceCodeOfIndex(index)));
    load(AddClock(grid, index / 6, index % 6, QStringLiteral("%1 %2").arg(index).arg(name)), index);
  }
  shooter.Shoot(faces, "clock_faces");

  QWidget sizes;
  grid = new QGridLayout(&sizes);
  for (int size : {0, 1, 2}) {
    for (int index : {6, 13}) {
      vek::AnalogClock* clock =
          AddClock(grid, index == 6 ? 0 : 1, size, QStringLiteral("size %1").arg(size));
      clock->SetClockSize(size);
      load(clock, index);
    }
  }
  shooter.Shoot(sizes, "clock_sizes");

  QWidget colors;
  grid = new QGridLayout(&colors);
  const struct {
    int face, colors;
    bool white;
  } looks[] = {{5, 0, false}, {3, 1, false}, {14, 3, false}, {9, 4, false},
               {4, 6, false}, {2, 2, true},  {12, 9, true},  {1, 10, true}};
  int column = 0;
  for (const auto& look : looks) {
    vek::AnalogClock* clock =
        AddClock(grid, column / 4, column % 4,
                 QStringLiteral("face %1, colours %2%3")
                     .arg(look.face)
                     .arg(look.colors)
                     .arg(look.white ? QStringLiteral(", white") : QString()));
    ++column;
    load(clock, look.face);
    vek::ApplyHandColorSet(*clock, look.colors);
    clock->SetWhiteBackground(look.white);
  }
  shooter.Shoot(colors, "clock_colors");

  vek::AnalogClock mainClock;
  for (Language lang : {Language::English, Language::Arabic}) {
    vek::ClockFaceFormContext context;
    context.lang = lang;
    context.currentIndex = 5;
    context.clock = &mainClock;
    context.programFolder = programFolder;
    context.module = &packs;
    context.ui = &ui;
    vek::TClockFaceForm form(context);
    const QString name = lang == Language::Arabic ? "arabic" : "english";
    shooter.Shoot(form, "clock_face_form_" + name);
    form.Size_ButtonClick();
    shooter.Shoot(form, "clock_face_form_" + name + "_detailed");
  }
}

// The main window over the program folder path, without a splash or a tray icon.
vek::MainWindowOptions ShotWindowOptions(const std::filesystem::path& path, vek::UiServices& ui,
                                         vek::WallClock& clock) {
  vek::MainWindowOptions options;
  options.programFolder = path;
  options.parameters = {"NoSplash", "NoSplash"};
  options.ui = &ui;
  options.clock = &clock;
  options.facePacks = &ClockFacePacks();
  options.arabicCanBeShown = [] { return true; };
  options.useTray = false;
  return options;
}

// The main window in both languages: an ordinary day, a day of Ramadan (with Imsak), a city
// where twilight does not end in summer (with the high-latitude notices), and London with the
// mouse over its Fajr notice (the long explanation in the status line).
void ShootMainWindow(Shooter& shooter) {
  double ramadan = vek::EncodeDate(2027, 1, 1);
  while (!vek::IsRamadanDate(ramadan, 0))
    ++ramadan;
  struct Scene {
    const char* name;
    double now;
    const char* city;
    const char* country;
    bool hoverFajrNotice = false;
  };
  const Scene scenes[] = {
      {"normal", vek::EncodeDate(2026, 12, 10) + 16.25 / 24, "DAMASCUS", "SYRIA"},
      {"ramadan", ramadan + 10 + 3.5 / 24, "CAIRO", "EGYPT"},
      {"high_latitude", vek::EncodeDate(2026, 6, 21) + 22.0 / 24, "MOSCOW", "RUSSIA"},
      {"london_notice_hovered", vek::EncodeDate(2026, 6, 21) + 12.0 / 24, "LONDON",
       "UNITED KINGDOM", true},
  };
  StderrUi ui;
  for (const Scene& scene : scenes) {
    for (const char* language : {"Arabic", "English"}) {
      QTemporaryDir folder;
      const std::filesystem::path path = folder.path().toStdString();
      std::filesystem::copy_file(VEK_LOCATION_FILE, path / "VEK.LOC");
      vek::WriteFileReplacing(path / "VEK.INI",
                              std::string("[Orvessa, by Al Tovarelin]\r\nLanguage=") + language +
                                  "\r\nSelectedCity=" + scene.city +
                                  "\r\nSelectedCountry=" + scene.country + "\r\n");
      vek::testing::FakeWallClock clock(scene.now);
      vek::TVEK__MAIN window(ShotWindowOptions(path, ui, clock));
      if (scene.hoverFajrNotice) {
        QStatusTipEvent hover(window.W.FajrStatus->statusTip());
        QApplication::sendEvent(window.W.FajrStatus, &hover);
      }
      shooter.Shoot(window,
                    QString("main_window_%1_%2").arg(scene.name, QString(language).toLower()));
    }
  }
}

// The menus of the main window and its tray menu, open, in both languages.
void ShootMenus(Shooter& shooter) {
  StderrUi ui;
  for (const char* language : {"Arabic", "English"}) {
    QTemporaryDir folder;
    const std::filesystem::path path = folder.path().toStdString();
    std::filesystem::copy_file(VEK_LOCATION_FILE, path / "VEK.LOC");
    vek::WriteFileReplacing(
        path / "VEK.INI",
        std::string("[Orvessa, by Al Tovarelin]\r\nLanguage=") + language + "\r\n");
    vek::testing::FakeWallClock clock(vek::EncodeDate(2026, 12, 10) + 16.25 / 24);
    vek::TVEK__MAIN window(ShotWindowOptions(path, ui, clock));
    const QString suffix = QString("_%1").arg(QString(language).toLower());
    const std::pair<QMenu*, const char*> menus[] = {
        {window.W.ProgramMenu, "program"}, {window.W.OptionsMenu, "options"},
        {window.W.HelpMenu, "help"},       {window.W.SoundsMenu, "sounds"},
        {window.W.TrayPopupMenu, "tray"},
    };
    for (const auto& [menu, name] : menus)
      shooter.Shoot(*menu, QString("menu_%1").arg(name) + suffix);
  }
}

// A player that plays nothing and has started at once, and a user interface that says nothing:
// the wizard's sound test passes without a sound.
class SilentPlayer : public vek::SoundPlayer {
 public:
  bool PlayFile(const std::filesystem::path&) override { return playing_ = true; }
  void Stop() override { playing_ = false; }
  bool Playing() const override { return playing_; }
  void PlayResource(const std::string&) override {}
  void StopResource() override {}

 private:
  bool playing_ = false;
};

// The first-run wizard's five pages in both languages (the sound page as the test has played;
// the tray page without a tray, the auto-start page of a desktop with an autostart folder).
void ShootWizard(Shooter& shooter) {
  vek::testing::FakeUi ui;
  SilentPlayer player;
  for (Language lang : {Language::Arabic, Language::English}) {
    QTemporaryDir folder;
    const std::filesystem::path path = folder.path().toStdString();
    std::filesystem::copy_file(VEK_LOCATION_FILE, path / "VEK.LOC");
    vek::testing::FakeWallClock clock(vek::EncodeDate(2026, 12, 10) + 16.25 / 24);
    vek::ProgramSession session(path, ui, clock);
    session.OpenSettings();
    session.LoadLocations();
    session.SelectSavedLocation();
    session.SetLanguage(lang);
    vek::SystemServices sys{.ui = ui};
    vek::WizardContext context;
    context.Session = &session;
    context.Sys = &sys;
    context.Player = &player;
    context.Sounds = &ProgramSounds();
    context.ProgramFile = path / "vek";
    context.AutostartFolder = path / "autostart";
    context.TempFolder = path;
    context.TrayAvailable = lang == Language::English;
    context.Host.ChangeLanguageClick = [&session] {
      session.SetLanguage(session.Arabic() ? Language::English : Language::Arabic);
    };
    context.Host.SelLocationBtnClick = [] {};
    context.Host.SetMinimizeToTray = [&session](bool on) { session.SetMinimizeToTray(on); };
    vek::TSelectLanguage_Form form(std::move(context));
    const QString suffix = lang == Language::Arabic ? "_arabic" : "_english";
    const char* const names[] = {"language", "city", "sound", "tray", "autostart"};
    for (int page = 0; page < vek::FirstRunWizardModel::kPageCount; ++page) {
      if (page > 0)
        form.Continue_BtnClick();
      form.Render();
      shooter.Shoot(form, QString("wizard_%1_%2").arg(page).arg(names[page]) + suffix);
      if (page == vek::FirstRunWizardModel::kSoundPage)
        form.YesButtonClick();
    }
    form.reject();
  }
}

// The balloon hint in both languages.
void ShootHints(Shooter& shooter) {
  const std::pair<const char*, const char*> hints[] = {
      {"english", "Change hands color\r\nLeft Mouse: Next\r\nRight Mouse: Previous"},
      {"arabic", "تغيير لون العقارب\r\nالزر الأيسر: التالي\r\nالزر الأيمن: السابق"},
  };
  for (const auto& [name, text] : hints) {
    vek::TQuvHintWindow hint;
    hint.ActivateHint(QPoint(40, 60), QString::fromUtf8(text), QPoint(40, 40));
    shooter.Shoot(hint, QString("hint_%1").arg(name));
  }
}

// The month names, Hijri adjustment and safety-times dialogs and the About box in both
// languages.
void ShootSettingsDialogs(Shooter& shooter) {
  StderrUi ui;
  for (Language lang : {Language::English, Language::Arabic}) {
    const QString suffix = lang == Language::Arabic ? "_arabic" : "_english";
    const vek::SettingsDialogContext context{lang, true, &ui};
    vek::NameLists names = vek::DefaultNameLists();
    vek::TMonthsDlg months(context, names);
    months.UpDown[vek::kHijriRow]->setValue(8);
    shooter.Shoot(months, "month_names" + suffix);
    vek::THijriAdjust hijri(context, vek::EncodeDate(2026, 12, 10), names, 1);
    shooter.Shoot(hijri, "hijri_adjust" + suffix);
    vek::SafetyOffsets offsets;
    offsets.Fajr = -2.0L / 60;
    offsets.Maghrib = 1.0L / 60;
    vek::TSaftyTimesDlg safety(context, offsets);
    shooter.Shoot(safety, "safety_times" + suffix);

    vek::AboutBoxContext about;
    about.lang = lang;
    about.programFile = "/usr/bin/vek";
    about.siteAddress = vek::WebSiteAddress();
    about.webLinkVisited = lang == Language::Arabic;
    about.updateLinkVisited = false;
    vek::TAboutVEK_Form box(about);
    shooter.Shoot(box, "about" + suffix);
  }
}

// Reads a copy of the shipped location file into list.
bool ReadShippedLocations(vek::TLocations& list) {
  QTemporaryDir folder;
  const std::filesystem::path path = folder.path().toStdString();
  std::filesystem::copy_file(VEK_LOCATION_FILE, path / "VEK.LOC");
  return vek::fnReadLocations(list, {path}).ok;
}

// The context of a location dialog over list on 10 December 2026, with a fixed date panel.
vek::LocationDialogContext DialogContext(vek::TLocations& list, vek::UiServices& ui,
                                         Language lang) {
  const bool arabic = lang == Language::Arabic;
  vek::LocationDialogContext context;
  context.Locations = &list;
  context.Lang = lang;
  context.Today = vek::EncodeDate(2026, 12, 10);
  context.Ui = &ui;
  context.DateText = [arabic] {
    return std::string(arabic ? "الخميس 10 كانون الأول 2026" : "Thursday 10 December 2026");
  };
  context.TimeText = [] { return std::string("04:15  PM"); };
  context.HijriMode = [] { return false; };
  return context;
}

// The location operations dialog on a city of the USA and one elsewhere, the new-location dialog
// as it opens and after a new country and city were typed, and the new-name prompt, in both
// languages, over the shipped location file.
void ShootLocationOperations(Shooter& shooter) {
  StderrUi ui;
  vek::TLocations list;
  if (!ReadShippedLocations(list))
    return;
  for (Language lang : {Language::English, Language::Arabic}) {
    const bool arabic = lang == Language::Arabic;
    const QString suffix = arabic ? "_arabic" : "_english";
    vek::LocationDialogContext context = DialogContext(list, ui, lang);

    const struct {
      const char *name, *city, *country, *state;
      bool ramadan;
    } scenes[] = {{"usa", "NEW YORK", "USA", "NY", false},
                  {"syria", "DAMASCUS", "SYRIA", "", true}};
    for (const auto& scene : scenes) {
      list.CurrentIndex = list.Find(scene.city, scene.country, scene.state);
      context.IsRamadan = scene.ramadan;
      vek::TLocationOperation operations(context);
      shooter.Shoot(operations, QStringLiteral("location_operations_%1%2").arg(scene.name, suffix));
    }

    vek::TNewLocation newLocation(context);
    newLocation.Reset(list.Find("NEW YORK", "USA", "NY"));
    shooter.Shoot(newLocation, "new_location" + suffix);
    std::vector<std::string> names = {"narnia", "cair paravel"};
    newLocation.AskNewName = [&names](const std::string&) {
      std::string name = names.front();
      names.erase(names.begin());
      return name;
    };
    newLocation.NewCountryBtnClick();
    newLocation.NewCityBtnClick();
    shooter.Shoot(newLocation, "new_location" + suffix + "_added");

    vek::TNewName newName(lang);
    newName.Prepare(vek::NewCityPrompt(lang));
    shooter.Shoot(newName, "new_name" + suffix);
  }
}

// The change-location dialog in both languages: a shipped city as it is stored, and the same city
// set to the fixed-time method with daylight saving and the Zuhr delay on (every panel shown).
void ShootChangeLocation(Shooter& shooter) {
  StderrUi ui;
  vek::TLocations list;
  if (!ReadShippedLocations(list))
    return;
  const int damascus = list.Find("DAMASCUS", "SYRIA", "");
  if (damascus < 0)
    return;
  vek::TLocationRec fixed = list.GetItem(damascus).Rec;
  fixed.Method = vek::TFajrIshaMethod::FixedTime;
  fixed.FajrInterval = 5400;
  fixed.IshaInterval = 4500;
  fixed.DST = true;
  fixed.DstStart = 88;
  fixed.DstEnd = 298;
  fixed.ZuhrDelayOn = true;
  fixed.ZuhrDelay = 300;
  vek::TLocations fixedList;
  fixedList.Append(std::make_unique<vek::TLocation>(fixed));
  for (Language lang : {Language::English, Language::Arabic}) {
    const QString suffix = lang == Language::Arabic ? "_arabic" : "_english";
    vek::LocationDialogContext context;
    context.Lang = lang;
    context.Today = vek::EncodeDate(2026, 12, 10);
    context.Ui = &ui;
    context.Locations = &list;
    vek::TChangeLocation shipped(context, damascus);
    shooter.Shoot(shipped, "change_location_shipped" + suffix);
    context.Locations = &fixedList;
    vek::TChangeLocation fixedTime(context, 0);
    shooter.Shoot(fixedTime, "change_location_fixed" + suffix);
  }
}

// The select-location dialog in both languages over the shipped location file: as it opens on
// Damascus, and in Ramadan sorted by state with "NY" typed.
void ShootSelectLocation(Shooter& shooter) {
  StderrUi ui;
  vek::TLocations list;
  if (!ReadShippedLocations(list))
    return;
  for (Language lang : {Language::English, Language::Arabic}) {
    const bool arabic = lang == Language::Arabic;
    const QString suffix = arabic ? "_arabic" : "_english";
    list.CurrentIndex = list.Find("DAMASCUS", "SYRIA", "");
    vek::LocationDialogContext context = DialogContext(list, ui, lang);
    vek::TSelectLocation opening(context);
    shooter.Shoot(opening, "select_location" + suffix);
    context.IsRamadan = true;
    vek::TSelectLocation searched(context);
    searched.LocationsHeaderSectionClick(3);
    for (char32_t key : {U'N', U'Y'})
      searched.LocationsKeyPress(key);
    shooter.Shoot(searched, "select_location" + suffix + "_state_search");
  }
}

// The context of a report at a shipped city on 10 December 2026.
vek::ReportContext ReportContextAt(vek::TLocations& list, const char* city, const char* country,
                                   Language lang, bool hijri) {
  list.CurrentIndex = list.Find(city, country, "");
  vek::ReportContext context;
  context.Source.Location = list.Current().Rec;
  context.Source.Lang = lang;
  context.Source.HijriMode = hijri;
  context.Locations = &list;
  context.Today = vek::EncodeDate(2026, 12, 10);
  vek::Trackers track;
  vek::ScanHighLatitudeForCurrent(list, 2026, context.Engine, track);
  context.Source.Track = track;
  return context;
}

// The timetable window (a month and a year, in both languages), the range selector, the
// calendar window (Gregorian and Hijri) and the year graph (Moscow and, far north, Oulu); and
// the text export of every year design for 2026 at Damascus, Sydney and Makkah as
// report-<design>-<CITY>.txt.
void ShootReports(Shooter& shooter, const QDir& dir) {
  StderrUi ui;
  vek::TLocations list;
  if (!ReadShippedLocations(list))
    return;
  for (Language lang : {Language::English, Language::Arabic}) {
    const bool arabic = lang == Language::Arabic;
    const QString suffix = arabic ? "_arabic" : "_english";
    {
      vek::TKQViewForm month(ReportContextAt(list, "DAMASCUS", "SYRIA", lang, false),
                             vek::ReportKind::Month);
      month.SetStartDate(vek::EncodeDate(2026, 12, 1));
      month.ComputeReportRows();
      month.resize(month.sizeHint().width(), 640);
      shooter.Shoot(month, "report_month" + suffix);
      // Every column: the day names share the table with nine others.
      vek::TPrintOptions& all = month.Report().Design();
      all.PODayName = all.POHijri = all.POImsak = true;
      month.ApplyDesignToControls();
      month.UpdateColumns();
      shooter.Shoot(month, "report_month_all_columns" + suffix);
      vek::TKQViewForm year(ReportContextAt(list, "SYDNEY", "AUSTRALIA", lang, false),
                            vek::ReportKind::Year);
      year.SetStartDate(vek::EncodeDate(2026, 1, 1));
      year.ComputeReportRows();
      year.Report().Design().POSaving = true;
      year.Report().Design().PODayName = true;
      year.ApplyDesignToControls();
      year.UpdateColumns();
      year.resize(year.sizeHint().width(), 640);
      shooter.Shoot(year, "report_year" + suffix);
    }
    vek::RangeSelectorContext range;
    range.Lang = lang;
    range.Today = vek::EncodeDate(2026, 12, 10);
    vek::TMonthYearSelect selector(range);
    shooter.Shoot(selector, "range_selector" + suffix);

    for (bool hijri : {false, true}) {
      vek::DatePickerContext picker;
      picker.Lang = lang;
      picker.Today = vek::EncodeDate(2026, 12, 10);
      picker.HijriMode = [hijri] { return hijri; };
      picker.DateCaption = [hijri, lang](double date) {
        return vek::DateCaption(date, hijri, vek::DefaultNameLists(), lang, 0);
      };
      vek::TBrDateForm form(picker);
      form.SetDate(picker.Today);
      shooter.Shoot(form, QString("calendar_%1%2").arg(hijri ? "hijri" : "gregorian", suffix));
    }

    vek::TVEKGraph graph(ReportContextAt(list, "MOSCOW", "RUSSIA", lang, false));
    shooter.Shoot(graph, "year_graph" + suffix);
    // 65 degrees north: Maghrib after midnight in June.
    vek::TVEKGraph north(ReportContextAt(list, "OULU", "FINLAND", lang, false));
    shooter.Shoot(north, "year_graph_far_north" + suffix);
  }

  for (const auto& [city, country] :
       {std::pair{"DAMASCUS", "SYRIA"}, std::pair{"SYDNEY", "AUSTRALIA"},
        std::pair{"MAKKAH", "SAUDI ARABIA"}}) {
    for (Language lang : {Language::English, Language::Arabic}) {
      vek::ReportContext context = ReportContextAt(list, city, country, lang, false);
      vek::Timetable report(vek::ReportKind::Year, context.Source);
      report.ComputeReportRows(vek::EncodeDate(2026, 1, 1), list, context.Engine);
      for (int index : report.DesignChoices()) {
        report.SelectDesign(index);
        const std::string name = "report-" + report.Design().Name + "-" + city + ".txt";
        const std::filesystem::path file = dir.filePath(QString::fromStdString(name)).toStdString();
        if (vek::SaveTimetableText(report, file) != 0) {
          std::fprintf(stderr, "cannot write %s\n", file.c_str());
          shooter.Fail();
        }
      }
    }
  }
}

// A client whose transfers start and never end, so that the dialog shows a download under way
// without reaching any server.
class StartedOnlyClient : public vek::TransferClient {
 public:
  void SetEventSink(EventSink /*sink*/) override {}
  std::string HostName() const override { return "update.example"; }
  int Connect() override { return ++transfers_; }
  int List(const std::string& /*folder*/, std::int64_t /*maxBytes*/) override {
    return ++transfers_;
  }
  int Download(const std::string& /*remotePath*/, const std::filesystem::path& /*localFile*/,
               std::int64_t /*maxBytes*/) override {
    busy_ = true;
    return ++transfers_;
  }
  void Disconnect() override {}
  bool Connected() const override { return true; }
  void Abort() override { busy_ = false; }
  bool Busy() const override { return busy_; }

 private:
  int transfers_ = 0;
  bool busy_ = false;
};

// The Live Update dialog in both languages: the offer and the ignored items of a comparison with
// a server listing on disk, the session's log, and the first download under way.
void ShootLiveUpdate(Shooter& shooter) {
  struct Item {
    const char* name;
    std::int32_t localSize;  // 0: not installed
    std::int32_t serverSize;
    const char* book;
    const char* author;
  };
  const Item items[] = {
      {"ZUZUZ623.EXE", 0, 2'400'512, "", ""},
      {"1NEWS.TXT", 1'200, 1'846, "NEWS OF THIS VERSION", "AL TOVARELIN"},
      {"ALEPPO.WAV", 0, 1'322'044, "", ""},
      {"MACCAH1.WAV", 901'120, 934'712, "", ""},
      {"S1.WAV", 0, 412'300, "", ""},
      {"S112.WAV", 0, 121'870, "", ""},
  };
  StderrUi ui;
  for (const vek::Language lang : {vek::Language::English, vek::Language::Arabic}) {
    QTemporaryDir folder;
    const std::filesystem::path prog = folder.path().toStdString();
    std::filesystem::create_directories(prog / "LiveUpdate");
    std::string local;
    std::string server;
    for (const Item& item : items) {
      vek::TListingRec rec;
      rec.Kind = vek::riIsFileInfo;
      rec.State = 1;
      rec.FileName = item.name;
      rec.Text = item.book;
      rec.Author = item.author;
      rec.Date = 0x5A2A5000;
      rec.Size = item.serverSize;
      vek::AppendListingRec(rec, server);
      if (item.localSize > 0) {
        rec.Size = item.localSize;
        rec.Date = 0x58215000;
        vek::AppendListingRec(rec, local);
      }
    }
    std::string ignore;
    vek::AppendIgnoreRec({"egypt1.wav", 1'002'300, 0x5A2A5000, "New version"}, ignore);
    vek::WriteFileReplacing(prog / "LiveUpdate" / "vekdirs.rec", local);
    vek::WriteFileReplacing(prog / "LiveUpdate" / "vekdirs.dwn", server);
    vek::WriteFileReplacing(prog / "LiveUpdate" / "IGNORE.REC", ignore);
    std::filesystem::create_directories(prog / "SOUNDS");
    vek::WriteFileReplacing(prog / "SOUNDS" / "MACCAH1.WAV", std::string(16, 'x'));

    vek::TLiveUpdateSetup setup;
    setup.programFolder = prog;
    setup.updateFolder = prog / "LiveUpdate";
    setup.skipDownload = true;
    setup.language = lang;
    const vek::AzhanDescriptionLists& names = vek::DefaultAzhanDescriptions();
    for (std::size_t i = 0; i < vek::AzhanFiles.size(); ++i)
      setup.comparison.adhans.push_back(
          {std::string(vek::AzhanFiles[i]), names.English[i], names.Arabic[i]});
    setup.comparison.fileExists = vek::ProgramFolderProbe(prog);
    vek::SystemServices sys{.ui = ui};
    vek::TFileCatalogue catalogue = vek::FileCatalogue();
    vek::TFTP_Main_Dlg dialog(
        setup, std::make_unique<vek::CurlTransferClient>(vek::TLiveUpdateServer{}), sys, catalogue);
    dialog.show();
    for (int i = 0; i < 3; ++i)
      QCoreApplication::processEvents();
    const QString name =
        lang == vek::Language::Arabic ? "live_update_arabic" : "live_update_english";
    shooter.Shoot(dialog, name);

    // The first item on its way: the status and "Downloading to" lines with their paths.
    vek::TFTP_Main_Dlg downloading(setup, std::make_unique<StartedOnlyClient>(), sys, catalogue);
    downloading.show();
    for (int i = 0; i < 3; ++i)
      QCoreApplication::processEvents();
    downloading.StartUpdate_BitBtn->click();
    shooter.Shoot(downloading, name + "_downloading");
    downloading.Session().Cancel_BitBtnClick();
  }
}

// Prints the report into <dir>/<name>.pdf, with the PDF writer as the only printer, as on a
// machine without printers.
void Print(const vek::Timetable& report, QPrinter& printer, const std::string& name, Language lang,
           const QDir& dir, Shooter& shooter) {
  printer.setOutputFileName(dir.filePath(QString::fromStdString(name + ".pdf")));
  const vek::PrintOutcome outcome =
      vek::PrintTimetable(report, printer, vek::PagesToPrint(report.PageCount(), {}), 96,
                          vek::RealFileSystem(), vek::testing::FakePrinterInfo(), lang);
  if (!outcome.Printed) {
    std::fprintf(stderr, "cannot print %s: %s\n", name.c_str(), outcome.Message.c_str());
    shooter.Fail();
  }
}

// The print preview (shrunk to fit and at actual size), the page design dialog and its font
// dialog in both languages; and the PDF of every design for Damascus, Sydney and Makkah (year
// designs: 2026, month designs: January 2026) as report-<design>-<CITY>.pdf, and of each with
// every column ticked as report-<design>-all-columns-<CITY>.pdf.
void ShootPrinting(Shooter& shooter, const QDir& dir) {
  StderrUi ui;
  vek::TLocations list;
  if (!ReadShippedLocations(list))
    return;
  for (Language lang : {Language::English, Language::Arabic}) {
    const bool arabic = lang == Language::Arabic;
    const QString suffix = arabic ? "_arabic" : "_english";
    vek::TKQViewForm year(ReportContextAt(list, "DAMASCUS", "SYRIA", lang, false),
                          vek::ReportKind::Year);
    year.SetStartDate(vek::EncodeDate(2026, 1, 1));
    year.ComputeReportRows();
    vek::TVEKPreView preview(year);
    preview.SetPageCount(year.Report().PageCount());
    preview.resize(900, 760);
    shooter.Shoot(preview, "preview_fit" + suffix);
    preview.ActualBtnClick();
    shooter.Shoot(preview, "preview_actual" + suffix);
    // The second page, scrolled to its right-hand side, where an Arabic page's lines end.
    preview.NextBtnClick();
    preview.show();
    QCoreApplication::processEvents();
    preview.ImgPanel->horizontalScrollBar()->setValue(
        arabic ? preview.ImgPanel->horizontalScrollBar()->maximum() : 0);
    shooter.Shoot(preview, "preview_actual_page2" + suffix);

    vek::TPrintOptionsDlg options(year.Report(), year.Context(), year.Printer());
    shooter.Shoot(options, "print_options" + suffix);
    vek::TFontColorDlg font(year.Report().Design().POHFont, lang);
    shooter.Shoot(font, "font_dialog" + suffix);
  }

  const vek::testing::FakePrinterInfo printers;
  const std::shared_ptr<QPrinter> printer = vek::MakeRunPrinter(printers);
  for (const auto& [city, country] :
       {std::pair{"DAMASCUS", "SYRIA"}, std::pair{"SYDNEY", "AUSTRALIA"},
        std::pair{"MAKKAH", "SAUDI ARABIA"}}) {
    for (Language lang : {Language::English, Language::Arabic}) {
      for (vek::ReportKind kind : {vek::ReportKind::Year, vek::ReportKind::Month}) {
        vek::ReportContext context = ReportContextAt(list, city, country, lang, false);
        vek::Timetable report(kind, context.Source);
        report.ComputeReportRows(vek::EncodeDate(2026, 1, 1), list, context.Engine);
        for (int index : report.DesignChoices()) {
          report.SelectDesign(index);
          Print(report, *printer, "report-" + report.Design().Name + "-" + city, lang, dir,
                shooter);
          // Every column and option of the window ticked: ten columns with 12-hour times and
          // their am/pm (the peaks-only list has no columns to add).
          if (report.Design().POPeaksOnly)
            continue;
          const vek::TPrintOptions design = report.Design();
          vek::TPrintOptions& all = report.Design();
          all.PODayName = all.POHijri = all.POGregorian = all.POImsak = true;
          all.POPeaks = all.POSaving = all.POAMPM = true;
          all.PO24H = false;
          report.DesignChanged();
          Print(report, *printer, "report-" + design.Name + "-all-columns-" + city, lang, dir,
                shooter);
          report.Design() = design;
          report.DesignChanged();
        }
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vek::InstallFontSubstitutes();
  vek::KeepAccessKeysJoinedEverywhere();
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!dir.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }

  Shooter shooter(dir);
  ShootBilingualDialogs(shooter);
  ShootMessageForms(shooter);
  ShootQtDialogs(shooter);
  ShootClockFaces(shooter);
  ShootProgramIcons(shooter);
  ShootSplash(shooter);
  ShootAlertWindow(shooter);
  ShootMainWindow(shooter);
  ShootLocationOperations(shooter);
  ShootChangeLocation(shooter);
  ShootSelectLocation(shooter);
  ShootMenus(shooter);
  ShootWizard(shooter);
  ShootHints(shooter);
  ShootSettingsDialogs(shooter);
  ShootReports(shooter, dir);
  ShootLiveUpdate(shooter);
  ShootPrinting(shooter, dir);
  return shooter.Failures() == 0 ? 0 : 1;
}
