// The timetable window: the times of one month or one year of the current location in ten
// columns as the current design shows them, the check boxes that change the design, the
// choice among the designs of the language and kind, and the export to a text file. Arabic or
// English, the form right to left in Arabic; the table keeps the design's column order.
#pragma once

#include <QDialog>
#include <QString>

#include <memory>

#include "report/report_context.h"
#include "report/timetable.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHeaderView;
class QPushButton;
class QRadioButton;
class QTableView;

namespace vek {

class TKQViewForm : public QDialog {
  Q_OBJECT

 public:
  // A window for a month or a year report: the designs are read from VEK.INI and the current
  // one of the language is applied; the rows follow with ComputeReportRows.
  TKQViewForm(ReportContext context, ReportKind mode, QWidget* parent = nullptr);
  ~TKQViewForm() override;

  Timetable& Report() { return *report_; }
  const Timetable& Report() const { return *report_; }

  // The first day of the report (day 1 of the month, or of month 1 for a year), then its rows.
  void SetStartDate(double date) { startDate_ = date; }
  void ComputeReportRows();

  // The design shown in the controls and the columns.
  void ApplyDesignToControls();
  void UpdateColumns();
  void SetCaptions();

  // Handlers of the controls: each changes the current design and shows the table again.
  void HijriCheckClick();
  void GregorianCheckClick();
  void DayNameCheckClick();
  void ImsakCheckClick();
  void LeftCheckClick();
  void DateFormatClick();
  void C24HClick();
  void AMPMClick();
  void SavingCheckClick();
  void PeaksCheckClick();
  void PeaksOnlyCheckClick();
  // The clicked column's alignment turns Left, Center, Right, Left.
  void KQHeaderSectionClick(int section);
  void DesignComboChange();
  void UseDefClick();
  void SaveToFileBtnClick();

  // Closing by any way writes the designs to VEK.INI.
  void done(int result) override;

  QTableView* KQBox = nullptr;
  QHeaderView* KQHeader = nullptr;
  QGroupBox* Checks_P = nullptr;
  QCheckBox* DayNameCheck = nullptr;
  QCheckBox* HijriCheck = nullptr;
  QCheckBox* GregorianCheck = nullptr;
  QCheckBox* ImsakCheck = nullptr;
  QCheckBox* LeftCheck = nullptr;
  QRadioButton* CompleteDate = nullptr;
  QRadioButton* DayAndMonth = nullptr;
  QRadioButton* DayOnly = nullptr;
  QCheckBox* C24H = nullptr;
  QCheckBox* AMPM = nullptr;
  QCheckBox* SavingCheck = nullptr;
  QCheckBox* PeaksCheck = nullptr;
  QCheckBox* PeaksOnlyCheck = nullptr;
  QGroupBox* Design_P = nullptr;
  QComboBox* DesignCombo = nullptr;
  QPushButton* UseDef = nullptr;
  QPushButton* SaveToFileBtn = nullptr;
  QPushButton* CloseBtn = nullptr;

 private:
  class Rows;

  void BuildWidgets();
  void FillDesignCombo();
  // The design changed: the lists and the page count follow, the table is shown again.
  void Refresh();
  bool Arabic() const { return context_.Source.Lang == Language::Arabic; }
  QString Text(const char* english, const char* arabic) const;

  ReportContext context_;
  std::unique_ptr<Timetable> report_;
  Rows* rows_ = nullptr;
  double startDate_ = 0;
  bool applying_ = false;  // the controls are being set from the design
};

}  // namespace vek
