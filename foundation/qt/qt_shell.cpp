#include "foundation/qt/qt_shell.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace vek {

int QtShell::Open(const std::string& url) {
  const QUrl link(QString::fromStdString(url), QUrl::TolerantMode);
  if (!link.isValid())
    return kShellNoAssociation;
  return QDesktopServices::openUrl(link) ? kShellAccepted : kShellNoAssociation;
}

Shell& DesktopShell() {
  static QtShell shell;
  return shell;
}

}  // namespace vek
