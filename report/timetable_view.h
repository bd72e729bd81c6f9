// The timetable window: the times of one month or one year of the current location in ten
// columns as the current design shows them, the check boxes that change the design, the
// choice among the designs of the language and kind, the export to a text file, and the
// printed pages: the page design dialog, the preview and the print job. Arabic or English, the
// form right to left in Arabic; the table keeps the design's column order.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>

#include <memory>

#include "report/preview_source.h"
#include "report/report_context.h"
#include "report/timetable.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHeaderView;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTableView;

namespace vek {

class TKQViewForm : public QDialog, public PreviewSource {
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
  // The width the day-name column needs for the widest day name of the language.
  int DayNameWidth() const;
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

  // Printing. Print and Preview first need something to print on (a printer, or the PDF
  // writer standing in for one); without it they say so and do nothing.
  void PrintBtnClick();
  void PrintPreviewBtnClick();
  // The page design dialog; the page count follows what it changed.
  void PrintOptionsBtnClick();
  // The print job: with askForPages the print dialog chooses the pages (Cancel prints nothing);
  // without it every page is printed, and a PDF printer first asks for the file's name. A job
  // that cannot start or fails is reported in the user's language. True when it printed.
  bool PrintReport(bool askForPages) override;
  // Page 1..PageCount as the preview shows it.
  QImage PreviewPage(int page) override;
  // The printer set-up dialog over the run's printer; true when confirmed.
  bool RunPageSetup() override;
  bool PrinterPresent() const;
  // The run's printer (the window's own when its context gave none).
  QPrinter& Printer() override;
  int PageCount() const override { return report_->PageCount(); }
  const ReportContext& Context() const { return context_; }
  Language Lang() const override { return context_.Source.Lang; }
  bool ShowHint() const override { return context_.ShowHint; }
  bool Arabic() const { return context_.Source.Lang == Language::Arabic; }

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
  QPushButton* PrintOptionsBtn = nullptr;
  QPushButton* PrintPreviewBtn = nullptr;
  QPushButton* PrintBtn = nullptr;
  QPushButton* SaveToFileBtn = nullptr;
  QPushButton* CloseBtn = nullptr;

 private:
  class Rows;

  void BuildWidgets();
  void FillDesignCombo();
  // The design changed: the lists and the page count follow, the table is shown again.
  void Refresh();
  // The dialogs of printing that the context left to Qt.
  void FillDialogs();
  void ShowMessage(const std::string& text) const;
  QString Text(const char* english, const char* arabic) const;
  // The printers and the file system of the context, or the system's own when it gave none.
  const PrinterInfo& Printers() const;
  FileSystem& Files() const;

  ReportContext context_;
  std::unique_ptr<Timetable> report_;
  Rows* rows_ = nullptr;
  double startDate_ = 0;
  bool applying_ = false;  // the controls are being set from the design
};

}  // namespace vek
