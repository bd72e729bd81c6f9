#include "program/dialogs/ok_cancel_row.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include "foundation/qt/qt_strings.h"

namespace vek {

OkCancelRow MakeOkCancelRow(QDialog& dialog, Language lang) {
  OkCancelRow r;
  r.OK = new QPushButton(QByLanguage(lang, "OK", "موافق"));
  r.Cancel = new QPushButton(QByLanguage(lang, "Cancel", "إلغاء الأمر"));
  r.OK->setDefault(true);
  r.Cancel->setAutoDefault(false);
  QObject::connect(r.Cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  r.Row = new QHBoxLayout;
  r.Row->addStretch();
  r.Row->addWidget(r.OK);
  r.Row->addWidget(r.Cancel);
  return r;
}

}  // namespace vek
