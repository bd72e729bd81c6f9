// The main of the tests that need a QApplication: widgets are drawn offscreen, so the tests run
// without a display, with the program's font substitutes.
#include <gtest/gtest.h>

#include <QApplication>

#include "foundation/qt/font_substitutes.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vek::InstallFontSubstitutes();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
