// The one way the program shows a dialog modally. The program leaves the runner unset and the
// dialog runs its own exec(); a test sets it and answers the dialog in place of the user,
// without a nested event loop that would wait for a click.
#pragma once

#include <QDialog>

#include <functional>

namespace vek {

// Shows a dialog modally and gives its result, as QDialog::exec does.
using ModalRunner = std::function<int(QDialog& dialog)>;

// Runs the dialog through runner, or through its own exec() when runner is unset.
inline int RunModal(const ModalRunner& runner, QDialog& dialog) {
  return runner ? runner(dialog) : dialog.exec();
}

}  // namespace vek
