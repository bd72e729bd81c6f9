// Renders every form of the program offscreen to PNG files, for a developer to look at:
//   vek_screenshots <output folder>
// Each group of forms has its own function; a new form adds a function and one line in main.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QString>

#include <cstdio>
#include <utility>

#include "foundation/qt/bilingual_dialogs.h"
#include "foundation/ui_services.h"
#include "mainwin/message_forms.h"

namespace {

using vek::Language;

// Shows a form without running a modal loop, renders it to <name>.png and hides it again.
class Shooter {
 public:
  explicit Shooter(QDir dir) : dir_(std::move(dir)) {}

  void Shoot(QWidget& form, const QString& name) {
    form.show();
    QCoreApplication::processEvents();
    const QString path = dir_.filePath(name + ".png");
    if (!form.grab().save(path)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      ++failures_;
    }
    form.hide();
  }

  int Failures() const { return failures_; }

 private:
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

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
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
  return shooter.Failures() == 0 ? 0 : 1;
}
