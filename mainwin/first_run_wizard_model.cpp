#include "mainwin/first_run_wizard_model.h"

#include <chrono>
#include <optional>
#include <system_error>
#include <utility>

#include "foundation/command_line.h"
#include "foundation/dos_error.h"
#include "foundation/file_io.h"
#include "foundation/program_folder.h"
#include "foundation/run_program.h"
#include "foundation/shell_link.h"
#include "foundation/text.h"
#include "locations/us_states.h"
#include "program/display_texts.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

// How long the sound system may take to start playing the test sound before the test gives up.
constexpr std::chrono::seconds kVerdictTimeout(10);
constexpr std::chrono::milliseconds kVerdictPoll(20);

// The city label: city and country cut to 40 characters, then the state of a US location.
constexpr std::size_t kCityLabelChars = 40;

bool Exists(const fs::path& p) {
  std::error_code ec;
  return !p.empty() && fs::exists(fs::symlink_status(p, ec));
}

bool IsFile(const fs::path& p) {
  std::error_code ec;
  return !p.empty() && fs::is_regular_file(p, ec);
}

}  // namespace

FirstRunWizardModel::FirstRunWizardModel(WizardContext context) : context_(std::move(context)) {}

FirstRunWizardModel::~FirstRunWizardModel() {
  StopSounds();
  if (!writtenTone_.empty()) {
    std::error_code ec;
    fs::remove(writtenTone_, ec);
  }
}

std::string FirstRunWizardModel::Text(const char* english, const char* arabic) const {
  return ByLanguage(Lang(), english, arabic);
}

void FirstRunWizardModel::Say(const std::string& text) {
  context_.Sys->ui.ShowBox(text, Lang() == Language::Arabic ? kArabicCaptions : kEnglishCaptions);
}

void FirstRunWizardModel::SetBusy(bool busy) {
  busy_ = busy;
  if (Changed)
    Changed();
}

// ---------------------------------------------------------------------------------------------
// Activation and language

void FirstRunWizardModel::FormActivate() {
  if (!context_.FirstRunSetUp || setUpDone_)
    return;
  setUpDone_ = true;
  // The desktop's language when it is Arabic and Arabic can be shown, else English.
  const Language start =
      context_.DesktopArabic && context_.ArabicSupported ? Language::Arabic : Language::English;
  if (Lang() != start)
    context_.Host.ChangeLanguageClick();
  // The tray is the default where there is one; without it minimising goes to the task bar.
  if (context_.TrayAvailable)
    context_.Host.SetMinimizeToTray(true);
}

Language FirstRunWizardModel::CheckedLanguage() const {
  return Lang();
}

void FirstRunWizardModel::LanguageRadioButtonClick(Language lang) {
  if (lang != Lang())
    context_.Host.ChangeLanguageClick();
}

void FirstRunWizardModel::ArEnLabelClick() {
  if (!context_.ArabicSupported)
    return;
  LanguageRadioButtonClick(Lang() == Language::Arabic ? Language::English : Language::Arabic);
}

// ---------------------------------------------------------------------------------------------
// Navigation

void FirstRunWizardModel::Continue_BtnClick() {
  if (busy_ || !continueEnabled_)
    return;
  StopSounds();
  forward_ = true;
  StepWizard();
}

void FirstRunWizardModel::Back_BitBtnClick() {
  if (busy_)
    return;
  forward_ = false;
  StepWizard();
}

void FirstRunWizardModel::StepWizard() {
  if (forward_) {
    if (page_ == kAutoStartPage) {
      closeRequested_ = true;
      return;
    }
    ShowWizardPage(page_ + 1);
    if (page_ == kCityPage)
      focus_ = WizardFocus::ChangeCityButton;
    return;
  }
  if (page_ != kLanguagePage)
    ShowWizardPage(page_ - 1);
}

void FirstRunWizardModel::ShowWizardPage(int page) {
  page_ = page;
  focus_ = WizardFocus::None;
  continueEnabled_ = true;
  switch (page) {
    case kSoundPage:
      testSoundVisible_ = true;
      RunSoundTest();
      break;
    case kAutoStartPage:
      UpdateAutoStart();
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// City

bool FirstRunWizardModel::ChangeCityEnabled() const {
  return context_.Session->HasCurrentLocation();
}

std::string FirstRunWizardModel::CityNameText() const {
  if (!context_.Session->HasCurrentLocation())
    return {};
  const TLocationRec& loc = context_.Session->Context().Locations.Current().Rec;
  std::string text = TruncateCodePoints(loc.City + "  (" + loc.Country + ")", kCityLabelChars);
  if (loc.Country == "USA") {
    std::string state;
    UsStateNameFromCode(loc.State, state);
    text += " - " + state;
  }
  return text;
}

void FirstRunWizardModel::ChangeCityButtonClick() {
  if (!ChangeCityEnabled())
    return;
  context_.Host.SelLocationBtnClick();
  focus_ = WizardFocus::ContinueBtn;
}

// ---------------------------------------------------------------------------------------------
// Sound test

void FirstRunWizardModel::StopSounds() {
  context_.Player->Stop();
  context_.Player->StopResource();
}

void FirstRunWizardModel::ShowTestButtons() {
  testSoundVisible_ = true;
  testSoundEnabled_ = true;
  continueEnabled_ = true;
}

bool FirstRunWizardModel::FindTestSound(fs::path& file) {
  const fs::path& folder = context_.Session->ProgramFolder();
  const fs::path inSounds =
      FindFileIgnoringCase(FindFileIgnoringCase(folder, "SOUNDS"), kCompressedTestFile);
  for (const fs::path& candidate : {inSounds, FindFileIgnoringCase(folder, kCompressedTestFile)}) {
    if (IsFile(candidate)) {
      file = candidate;
      return true;
    }
  }
  // No recording is shipped: a fresh installation plays the carried test tone, written once.
  if (IsFile(writtenTone_)) {
    file = writtenTone_;
    return true;
  }
  const std::span<const unsigned char> tone =
      context_.Sounds ? context_.Sounds->Find(kTestToneResource, kCarriedFileType)
                      : std::span<const unsigned char>();
  if (tone.empty()) {
    Say(Text("File Missing: \n", "ملف مفقود: \n") + inSounds.string());
    return false;
  }
  UniqueFile out = CreateUniqueFile(context_.TempFolder, "vek-test-tone-");
  int e = out.error;
  if (e == 0)
    e = WriteAll(out.fd.get(),
                 std::string_view(reinterpret_cast<const char*>(tone.data()), tone.size()));
  if (const int closed = out.fd.Close(); e == 0)
    e = closed;
  if (e != 0) {
    std::error_code ec;
    if (!out.path.empty())
      fs::remove(out.path, ec);
    Say(Text("The test sound could not be written:\n", "تعذرت كتابة صوت الاختبار:\n") +
        (out.path.empty() ? context_.TempFolder : out.path).string() + "\n" +
        IoErrorText(e, Lang()));
    return false;
  }
  writtenTone_ = out.path;
  file = writtenTone_;
  return true;
}

bool FirstRunWizardModel::PlayCompressedTest(const fs::path& file, std::string& failure) {
  SoundPlayer& player = *context_.Player;
  std::optional<SoundError> error;
  player.SetOnError([&error](const SoundError& e) {
    if (!error)
      error = e;
  });
  const bool opened = player.PlayFile(file);
  bool answered = true;
  if (opened) {
    // The sound system decodes asynchronously: its verdict (playing, an error, or the end of a
    // short file) comes while events are handled.
    SetBusy(true);
    Clock& clock = context_.Sys->clock;
    UiServices& ui = context_.Sys->ui;
    const Clock::TimePoint deadline = clock.Now() + kVerdictTimeout;
    while (!error && player.Playing() && !player.Started()) {
      ui.ProcessEvents();
      if (ui.Terminating())
        break;
      if (clock.Now() >= deadline) {
        answered = false;
        break;
      }
      clock.Sleep(kVerdictPoll);
    }
    SetBusy(false);
  }
  player.SetOnError({});
  if (error) {
    failure = error->text;
    return false;
  }
  if (!opened) {
    failure = Text("The file could not be opened:\n", "تعذر فتح الملف:\n") + file.string();
    return false;
  }
  if (!answered) {
    player.Stop();
    failure = Text("The sound system did not start playing the file:\n",
                   "لم يبدأ نظام الصوت بتشغيل الملف:\n") +
              file.string();
    return false;
  }
  return true;
}

void FirstRunWizardModel::RunSoundTest() {
  yesNoEnabled_ = true;
  testSoundEnabled_ = false;
  continueEnabled_ = false;
  if (!forward_) {
    // Entered backwards: nothing is played again.
    forward_ = true;
    ShowTestButtons();
    focus_ = WizardFocus::TestSoundBtn;
    return;
  }
  StopSounds();
  if (!context_.Player->HasOutputDevice()) {
    // Nothing can be heard, although the sound system would play both sounds to their end.
    compressedSoundPlayed_ = false;
    topInfoVisible_ = false;
    testSoundEnabled_ = true;
    Say(
        Text("No sound device was found\n\nThe sound system has no speakers, headphones or other "
             "output to play through,\nso neither the Basmalah nor the compressed sound can be "
             "heard now.\n\nPlease connect a sound device or check the sound settings of your "
             "desktop,\nthen press \"Test\" to try again.\n\nUntil then, answer \"No, I do not "
             "hear it\".",
             "لم يعثر على جهاز للصوت\n\nلا يجد نظام الصوت سماعات ولا أي مخرج آخر للصوت\nفلا يمكن "
             "سماع البسملة ولا الصوت المضغوط الآن.\n\nيرجى وصل جهاز للصوت أو فحص إعدادات الصوت في "
             "سطح المكتب\nثم الضغط على \"اختبار\" لإعادة المحاولة.\n\nوإلى ذلك الحين أجيبوا: \"لا، "
             "لا أسمعه\"."));
    focus_ = WizardFocus::NoButton;
    return;
  }
  context_.Player->PlayResource(kBasmalahResource);
  Say(
      Text("\nThe Basmalah should have been heard\n\nIf you did not hear it, please try the "
           "following,\nthen return to this screen\n\n1- Make sure the sound system is not "
           "currently busy\n2- Otherwise, close this program, then check your sound options\n",
           "\nكان يجب أن تسمعوا البسملة الآن\n\nإذا لم تسمعوها فجربوا ما يلي\nثم عودوا إلى هذه "
           "الشاشة\n\n1- تأكدوا أن نظام الصوت غير مشغول حاليا\n2- وإلا فأغلقوا هذا البرنامج ثم "
           "افحصوا إعدادات الصوت\n"));
  context_.Player->StopResource();

  fs::path file;
  if (!FindTestSound(file)) {
    ShowTestButtons();
    return;
  }
  Say(
      Text("IMPORTANT NOTICE\n\nAn attempt will now be made to hear Compressed Sound\nin order to "
           "examine if your system supports sound Compression\n\nSo please make sure that your "
           "sound system is not currently in use\n\nIf it is currently in use, the test will "
           "fail\nand it will appear to this program that your equipment\ndoes not support sound "
           "Compression\n\nSo please make sure about it before continuing",
           "تنبيه هام\n\nستجري الآن محاولة لسماع صوت مضغوط\nلفحص دعم نظامكم للصوت المضغوط\n\nلذا "
           "يرجى التأكد من أن نظام الصوت غير مستخدم حاليا\n\nفإن كان مستخدما فسيفشل "
           "الاختبار\nوسيبدو لهذا البرنامج أن أجهزتكم\nلا تدعم الصوت المضغوط\n\nلذا يرجى التأكد من "
           "ذلك قبل المتابعة"));
  topInfoVisible_ = true;
  std::string failure;
  compressedSoundPlayed_ = PlayCompressedTest(file, failure);
  if (!compressedSoundPlayed_) {
    // The sound system has no "busy" of its own: every failure gets the general text.
    Say(Text("Error Encountered while attempting to use the sound system\nPlease examine the "
             "following error message:\n\n",
             "حدث خطأ أثناء محاولة استخدام نظام الصوت\nيرجى قراءة رسالة الخطأ التالية:\n\n") +
        failure);
  }
  if (compressedSoundPlayed_) {
    focus_ = WizardFocus::YesButton;
    Say(
        Text("Your system seems to support sound compression\nIf you did NOT hear the "
             "\"Azhan\", please verify that:\n1- The speakers are properly connected\n2- You did "
             "not request to mute the sound",
             "يبدو أن نظامكم يدعم الصوت المضغوط\nإذا لم تسمعوا \"الأذان\" فيرجى التأكد من:\n1- أن "
             "السماعات موصولة بشكل صحيح\n2- أنكم لم تطلبوا كتم الصوت"));
  } else {
    context_.Sys->ui.Beep();
    Say(
        Text("Your system does not seem to support sound compression\nor your sound system is "
             "currently busy\n\nPlease make sure you followed the previous instructions,\nand "
             "please examine the next screen carefully",
             "لا يبدو أن نظامكم يدعم الصوت المضغوط\nأو أن نظام الصوت مشغول حاليا\n\nيرجى التأكد من "
             "اتباع التعليمات السابقة\nويرجى قراءة الشاشة التالية بعناية"));
    focus_ = WizardFocus::NoButton;
  }
}

void FirstRunWizardModel::YesButtonClick() {
  if (busy_)
    return;
  context_.Player->Stop();
  topInfoVisible_ = false;
  ShowTestButtons();
  focus_ = WizardFocus::ContinueBtn;
}

void FirstRunWizardModel::NoButtonClick() {
  if (busy_)
    return;
  const int answer = context_.Sys->ui.AskNoYes(
      "\nتبعا لجوابكم، فإن نظامكم\nلا يدعم سماع الصوت المضغوط\nيستطيع هذا البرنامج تثبيته الآن على "
      "نظامكم\n\nهل تريدون المباشرة\n\n\n\nBased on your answer, your system\ndoes not support "
      "Sound compression.\nThis program can install it now on your system.\n\nDo you want to "
      "start?",
      kBothCaptions);
  if (answer == 1) {
    context_.Player->Stop();
    topInfoVisible_ = false;
    if (StartCodecInstaller())
      RunSoundTest();
  } else {
    Say(Text(
        "Sound Compression was not installed\nAccording to your answers, you will not be "
        "able to hear the \"Azhan\" nor Suras from the Quran (even though they will be "
        "installed with the Zurivo Zazir Program) until you provide support for Sound "
        "Compression",
        "لم يثبت دعم ضغط الصوت\nبناء على أجوبتكم، لن تتمكنوا من سماع \"الأذان\" ولا سور القرآن "
        "الكريم (مع أنها ستثبت مع برنامج Zurivo Zazir) حتى توفروا الدعم لضغط الصوت"));
  }
  ShowTestButtons();
  focus_ = WizardFocus::ContinueBtn;
}

bool FirstRunWizardModel::StartCodecInstaller() {
  StopSounds();
  const fs::path folder = context_.ProgramFile.parent_path();
  const fs::path installer = FindFileIgnoringCase(folder, kCodecInstallerName);
  if (!IsFile(installer)) {
    Say("File Missing  ملف مفقود\n" + installer.string());
    return false;
  }
  SystemServices& sys = *context_.Sys;
  pid_t pid = 0;
  if (const int e =
          sys.launcher.StartWith(installer, {installer.string()},
                                 LaunchOptions{.standardInput = {}, .workingFolder = folder}, pid);
      e != 0) {
    Say(Text("The sound compression installer could not be started:\n",
             "تعذر تشغيل برنامج تثبيت ضغط الصوت:\n") +
        installer.string() + "\n" + IoErrorText(e, Lang()));
    return false;
  }
  // The installer tells the user itself what it did; its exit code tells the wizard.
  SetBusy(true);
  const int code = WaitForProcessExit(pid, sys);
  SetBusy(false);
  if (code != 0) {
    std::string text = Text("Sound Compression was not installed:\n", "لم يثبت دعم ضغط الصوت:\n");
    if (code > 0)
      text += Text("the installer ended with code ", "انتهى برنامج التثبيت بالرمز ") +
              std::to_string(code);
    else
      text += Text("the installer did not finish", "لم ينته برنامج التثبيت من عمله");
    Say(text);
    return false;
  }
  Say(
      Text("You will now hear the Basmalah without sound compression\nthen the \"Azhan\", which "
           "is a Compressed Sound\nIf you do not hear the Azhan,\nyou may have to restart the "
           "whole installation program,\nor log out and log in again for the changes to take "
           "effect",
           "ستسمعون الآن البسملة دون ضغط للصوت\nثم \"الأذان\"، وهو صوت مضغوط\nإذا لم تسمعوا "
           "الأذان\nفقد تحتاجون إلى إعادة تشغيل برنامج التثبيت كله\nأو إلى الخروج من الجلسة ثم "
           "الدخول إليها ثانية حتى تسري التغييرات"));
  return true;
}

// ---------------------------------------------------------------------------------------------
// Tray

bool FirstRunWizardModel::TrayYesChecked() const {
  return context_.TrayAvailable && context_.Session->Settings().MinimizeToTray;
}

void FirstRunWizardModel::MinToTray_YesClick() {
  if (context_.TrayAvailable)
    context_.Host.SetMinimizeToTray(true);
}

void FirstRunWizardModel::MinToTray_NoClick() {
  context_.Host.SetMinimizeToTray(false);
}

// ---------------------------------------------------------------------------------------------
// Auto-start

std::vector<std::string> FirstRunWizardModel::AutostartEnvironment() const {
  // Started at log-in, the program finds the same program folder as in this run.
  if (context_.ProgramHome.empty())
    return {};
  return {"VEK_HOME=" + context_.ProgramHome.string()};
}

fs::path FirstRunWizardModel::StartupLinkPath() const {
  return context_.AutostartFolder.empty() ? fs::path()
                                          : context_.AutostartFolder / kStartupLinkName;
}

void FirstRunWizardModel::UpdateAutoStart() {
  if (context_.AutostartFolder.empty()) {
    // Nothing can be set up, and nothing is written.
    autoStart_ = AutoStartState::Unavailable;
    autoStartPending_ = false;
    createLinkRequested_ = false;
    return;
  }
  const fs::path link = StartupLinkPath();
  if (Exists(link) || createLinkRequested_) {
    createLinkRequested_ = false;
    focus_ = WizardFocus::ContinueBtn;
    const fs::path& program = context_.ProgramFile;
    if (!IsFile(program)) {
      Say(Text("Error: Could not create ShortCut.\nSource file not found: ",
               "خطأ: تعذر إنشاء الاختصار.\nالملف المصدر غير موجود: ") +
          program.string());
    } else if (const int e =
                   CreateShellLink(program, link, program.parent_path(), kShowMinimizedNoActivate,
                                   AutostartEnvironment(), {std::string(kStartMinimizedWord)});
               e != 0) {
      Say(Text("\nError: Could not create ShortCut for Zurivo Zazir program in the autostart "
               "folder\n",
               "\nخطأ: تعذر إنشاء اختصار لبرنامج Zurivo Zazir في مجلد البدء التلقائي\n") +
          link.string() + "\n" + FileErrorText(e, link, Lang()));
    }
    autoStart_ = Exists(link) ? AutoStartState::On : AutoStartState::Off;
    return;
  }
  if (!removedByUser_)
    autoStartPending_ = true;
  if (page_ == kAutoStartPage)
    focus_ = WizardFocus::StartupButton;
  autoStart_ = AutoStartState::Off;
}

void FirstRunWizardModel::StartupButtonClick() {
  if (busy_ || context_.AutostartFolder.empty())
    return;
  const fs::path link = StartupLinkPath();
  if (autoStartPending_ || !Exists(link)) {
    autoStartPending_ = false;
    createLinkRequested_ = true;
    removedByUser_ = false;
  } else {
    std::error_code ec;
    fs::remove(link, ec);
    autoStartPending_ = false;
    if (Exists(link)) {
      // Still there: it is not written again either.
      Say(Text("\nError: Could not remove ShortCut for Zurivo Zazir program\n\nYou must remove "
               "it manually from the autostart folder:\n",
               "\nخطأ: تعذرت إزالة اختصار برنامج Zurivo Zazir\n\nيجب أن تزيلوه بأنفسكم من مجلد "
               "البدء التلقائي:\n") +
          link.string());
      autoStart_ = AutoStartState::On;
      return;
    }
    Say(
        Text("\nThe ShortCut for Zurivo Zazir program\nhas been removed from the autostart "
             "folder",
             "\nأزيل اختصار برنامج Zurivo Zazir\nمن مجلد البدء التلقائي"));
    removedByUser_ = true;
  }
  UpdateAutoStart();
}

// ---------------------------------------------------------------------------------------------
// Closing

void FirstRunWizardModel::FormClose() {
  if (closed_)
    return;
  closed_ = true;
  if (autoStartPending_)
    StartupButtonClick();
  StopSounds();
  // The main window follows the chosen language, and the settings are written.
  context_.Session->SetLanguage(Lang());
}

// ---------------------------------------------------------------------------------------------
// Texts

WizardTexts FirstRunWizardModel::Texts() const {
  WizardTexts t;
  t.Title = VersionCaption(Lang(), context_.ArabicSupported);
  switch (page_) {
    case kLanguagePage:
      t.PageHeader = Text("Language", "اللغة");
      break;
    case kCityPage:
      t.PageHeader = Text("City", "المدينة");
      break;
    case kSoundPage:
      t.PageHeader = Text("Compressed Sound", "الصوت المضغوط");
      break;
    case kTrayPage:
      t.PageHeader = Text("Minimizing the program", "تصغير البرنامج");
      break;
    default:
      t.PageHeader = Text("Auto-Start", "البدء التلقائي");
      break;
  }
  t.LanguageLink = Text("عربي", "English");
  t.LanguageLinkHint = Text("Press to Select Arabic اضغط لاختيار العربية",
                            "Press to select English اضغط لاختيار الإنكليزية");
  t.ArabicRadio = "Arabic       عربي";
  t.EnglishRadio = "English   إنكليزي";
  t.SelectedRadioHint = Text("English selected اللغة إنكليزية", "Arabic selected اللغة عربية");
  t.LanguageNote = Text("The language can also be changed within the program",
                        "يمكن تغيير اللغة أيضا من داخل البرنامج");
  t.CityHeading = Text("The prayer times are computed for:", "تحسب أوقات الصلاة لمدينة:");
  t.ChangeCityButton = Text("Change", "تغيير");
  t.ChangeCityHint = Text("Move mouse in next screen to get help",
                          "حركوا الفأرة في الشاشة التالية للحصول على المساعدة");
  t.TopInfo = Text(
      "You should now be hearing the \"Azhan\".\nWithout an Azhan recording in the SOUNDS "
      "folder, a compressed test tone plays in its place.\nDo you hear it?",
      "يجب أن تسمعوا \"الأذان\" الآن.\nإن لم يكن في مجلد SOUNDS تسجيل للأذان فتسمع بدلا منه نغمة "
      "اختبار مضغوطة.\nهل تسمعونه؟");
  t.YesButton = Text("Yes, I hear it", "نعم، أسمعه");
  t.NoButton = Text("No, I do not hear it", "لا، لا أسمعه");
  t.DontInstall = Text("Do not install Sound Compressor", "عدم تثبيت ضاغط الصوت");
  t.DoInstall = Text("I want to install Sound compressor", "أريد تثبيت ضاغط الصوت");
  t.TestSound = Text("Test", "اختبار");
  t.TestSoundHint = Text("Test Sound Compression", "اختبار ضغط الصوت");
  t.BottomHeader = Text("Benefits of Sound Compression", "فوائد ضغط الصوت");
  t.Bottom1 = Text(
      "A compressed sound takes about a tenth of the disk space of a plain one: the Azhans and "
      "the Suras of the Quran fit on any computer.",
      "يأخذ الصوت المضغوط نحو عشر مساحة الصوت العادي: فتتسع الأذانات وسور القرآن الكريم على أي "
      "حاسوب.");
  t.Bottom2 = Text("New recitations and updates download many times faster.",
                   "تنزل التلاوات الجديدة والتحديثات أسرع بأضعاف.");
  t.Bottom4 = Text(
      "To be offered the installation of the Sound Compressor, answer that you did not hear the "
      "Azhan.",
      "ليعرض عليكم تثبيت ضاغط الصوت، أجيبوا بأنكم لم تسمعوا الأذان.");
  t.MinToTray = Text("Minimize to:", "التصغير إلى:");
  t.MinToTrayYes = Text("System Tray", "منطقة الإعلام");
  t.MinToTrayNo = Text("Task Bar", "شريط المهام");
  t.NoTrayNote = Text("This desktop has no system tray: the program minimizes to the task bar.",
                      "لا توجد منطقة إعلام في سطح المكتب هذا: يصغر البرنامج إلى شريط المهام.");
  switch (autoStart_) {
    case AutoStartState::On:
      t.AutoStartLabel =
          Text("This program now starts automatically in the background, each time you log in",
               "يبدأ هذا البرنامج الآن تلقائيا في الخلفية عند كل دخول إلى الجلسة");
      t.StartupButton = Text("Prevent Auto-Start", "منع البدء التلقائي");
      t.StartupHint = Text("Click to prevent Auto-Start when you log in",
                           "انقروا لمنع البدء التلقائي عند الدخول إلى الجلسة");
      break;
    case AutoStartState::Off:
      t.AutoStartLabel = Text("This program does not currently start when you log in",
                              "لا يبدأ هذا البرنامج حاليا عند الدخول إلى الجلسة");
      t.StartupButton = Text("Allow Auto-Start", "السماح بالبدء التلقائي");
      t.StartupHint = Text("Click to allow Auto-Start each time you log in",
                           "انقروا للسماح بالبدء التلقائي عند كل دخول إلى الجلسة");
      break;
    case AutoStartState::Unavailable:
      t.AutoStartLabel =
          Text("Auto-Start cannot be set up: this desktop has no autostart folder",
               "لا يمكن إعداد البدء التلقائي: لا يوجد مجلد للبدء التلقائي في سطح المكتب هذا");
      t.StartupButton = Text("Allow Auto-Start", "السماح بالبدء التلقائي");
      break;
  }
  t.AutoStartExplanation = Text(
      "With Auto-Start the program starts minimized each time you log in, and announces every "
      "prayer without being started by hand.",
      "مع البدء التلقائي يبدأ البرنامج مصغرا عند كل دخول إلى الجلسة، فيعلن كل صلاة دون أن "
      "تشغلوه بأنفسكم.");
  t.Back = Text("Back", "رجوع");
  t.Continue = page_ == kAutoStartPage ? Text("Finish", "إنهاء") : Text("Continue", "استمرار");
  return t;
}

}  // namespace vek
