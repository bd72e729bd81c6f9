// The page design dialog: the printed page's header, body and footer of the report window's
// current design (switches, free texts, months per page, the three fonts), and the printer's
// set-up. The design changes only when the dialog closes with OK.
#pragma once

#include <QDialog>

#include <array>

#include "report/report_context.h"
#include "report/timetable.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vek {

class TPrintOptionsDlg : public QDialog {
  Q_OBJECT

 public:
  // The months per page the dialog offers, by item.
  static constexpr std::array<int, 5> kMonthChoices = {1, 2, 3, 4, 6};

  // Edits the current design of report; printer is the one the set-up button sets up.
  TPrintOptionsDlg(Timetable& report, const ReportContext& context, QPrinter& printer,
                   QWidget* parent = nullptr);

  // The fonts as the dialog holds them until it closes.
  const FontSpec& HeaderFont() const { return headerFont_; }
  const FontSpec& BodyFont() const { return bodyFont_; }
  const FontSpec& FooterFont() const { return footerFont_; }

  void HeaderBtnClick();
  void BodyBtnClick();
  void FooterBtnClick();
  void PrinterSetupClick();

  // OK writes the controls into the design; Cancel and the close box leave it as it was.
  void done(int result) override;

  QGroupBox* Header_G = nullptr;
  QCheckBox* POHeaderCheck = nullptr;
  QCheckBox* POHShowLocationCheck = nullptr;
  QCheckBox* POHLocationDetailsCheck = nullptr;
  QCheckBox* POHShowCalcMethodCheck = nullptr;
  QCheckBox* POHDrawLineCheck = nullptr;
  QLabel* POHOtherInfoLabel = nullptr;
  QLineEdit* POHOtherInfoEdit = nullptr;
  QPushButton* HeaderBtn = nullptr;
  QGroupBox* Body_G = nullptr;
  QLabel* POBNOMonthsLabel = nullptr;
  QComboBox* POBNOMonthsCombo = nullptr;
  QCheckBox* POBDrawGridCheck = nullptr;
  QCheckBox* POBSideBySideCheck = nullptr;
  QCheckBox* POBRightToLeftCheck = nullptr;
  QCheckBox* POBMonthHeaderCheck = nullptr;
  QPushButton* BodyBtn = nullptr;
  QGroupBox* Footer_G = nullptr;
  QCheckBox* POFooterCheck = nullptr;
  QCheckBox* POFPageNumberCheck = nullptr;
  QLineEdit* POFPageNumberTextEdit = nullptr;
  QCheckBox* POFDrawLineCheck = nullptr;
  QLabel* POFOtherInfoLabel = nullptr;
  QLineEdit* POFOtherInfoEdit = nullptr;
  QPushButton* FooterBtn = nullptr;
  QPushButton* PrinterSetup = nullptr;
  QPushButton* OkBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

 private:
  void BuildWidgets();
  void SetCaptions();
  void LoadControls();
  void StoreControls();
  void ChooseFont(FontSpec& font);
  QString Text(const char* english, const char* arabic) const;

  Timetable& report_;
  ReportContext context_;
  QPrinter& printer_;
  FontSpec headerFont_;
  FontSpec bodyFont_;
  FontSpec footerFont_;
};

}  // namespace vek
