// dravolen, the codec installer: no window of its own, no arguments, settings or network. It
// installs the MP3 codec driver that it carries, registers it, checks that the sound system
// decodes compressed sounds, shows one message and ends with 0 only when all of it succeeded.
#include <QApplication>
#include <QMessageBox>

#include <string>

#include "installer/codec_installer.h"
#include "installer/decoder_check.h"
#include "platform/system_folders.h"
#include "resources/codec_driver_pack.h"

namespace {

// The standard message box with one OK button; the installer asks nothing.
class InstallerUi : public vek::UiServices {
 public:
  void ShowMessage(const std::string& text) override {
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(),
                    QString::fromStdString(text), QMessageBox::Ok);
    box.exec();
  }
  void ShowBox(const std::string& text, int) override { ShowMessage(text); }
  void ShowPrompt(const std::string& text, int) override { ShowMessage(text); }
  int AskNoYes(const std::string&, int) override { return 0; }
  void Beep() override { QApplication::beep(); }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("dravolen");
  QApplication::setApplicationDisplayName("Sound Compression Installer");
  QApplication::setApplicationVersion("8.63.2.11");
  InstallerUi ui;
  vek::CodecInstallerContext context;
  context.systemFolder = vek::SystemFolderPath();
  context.windowsFolder = vek::WindowsFolderPath();
  context.resources = &CodecDriverPack();
  context.checkDecoder = vek::SystemDecoderSupport;
  context.ui = &ui;
  return vek::DravolenMain(context);
}
