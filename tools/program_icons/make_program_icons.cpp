// Draws the program's icon into PNG files for the desktop's icon theme, run by the build:
//   vek_make_program_icons <output folder> <icon name> <size>...
// writes <output folder>/<size>x<size>/apps/<icon name>.png for every size, the layout of the
// "hicolor" theme. The pictures are those the program shows as its window icon, drawn by
// ProgramIcon() at exactly each size; a size it does not draw is refused.
#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QSaveFile>
#include <QSize>
#include <QString>

#include <cstdio>

#include "mainwin/program_icons.h"

namespace {

// One PNG, written whole or not at all.
bool WritePng(const QPixmap& pixmap, const QString& file) {
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly))
    return false;
  if (!pixmap.save(&out, "PNG")) {
    out.cancelWriting();
    return false;
  }
  return out.commit();
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: vek_make_program_icons <output folder> <icon name> <size>...\n");
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  const QIcon icon = vek::ProgramIcon();
  for (int i = 3; i < argc; ++i) {
    bool ok = false;
    const int size = QByteArray(argv[i]).toInt(&ok);
    if (!ok || size <= 0) {
      std::fprintf(stderr, "vek_make_program_icons: not a size: %s\n", argv[i]);
      return 2;
    }
    // At a device pixel ratio of 1, whatever the build's display settings.
    const QPixmap pixmap = icon.pixmap(QSize(size, size), 1.0);
    if (pixmap.size() != QSize(size, size)) {
      std::fprintf(stderr, "vek_make_program_icons: the icon is not drawn at %d pixels\n", size);
      return 1;
    }
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
    const QString file = QStringLiteral("%1/%2.png").arg(folder, name);
    if (!QDir().mkpath(folder) || !WritePng(pixmap, file)) {
      std::fprintf(stderr, "vek_make_program_icons: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
