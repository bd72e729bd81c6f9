// The report range selector: one month or one whole year, and which one, before a timetable
// opens; the choice is remembered whichever button closes it. Arabic or English, right to left
// in Arabic; the English face has OK only, the Arabic one OK and Cancel.
#pragma once

#include <QDialog>
#include <QString>

#include <memory>

#include "calendar/range_selector_model.h"

class QGroupBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace vek {

class TMonthYearSelect : public QDialog {
  Q_OBJECT

 public:
  explicit TMonthYearSelect(RangeSelectorContext context, QWidget* parent = nullptr);
  ~TMonthYearSelect() override;

  RangeSelectorModel& Model() { return *model_; }
  // The kind the selector opens with (the report command's choice), then the controls follow.
  void SetRangeKind(ReportKind kind);

  // Handlers of the controls.
  void RadioClick();
  void MonthUpDownClick(int position);
  void YearUpDownClick(int position);
  void RefreshCaptions();

  // Closing by any button remembers the choice.
  void done(int result) override;

  QGroupBox* Panel = nullptr;  // "Calculate Zurivo Zazir for"
  QRadioButton* MonthRadio = nullptr;
  QRadioButton* YearRadio = nullptr;
  QSpinBox* MonthUpDown = nullptr;  // shows the month's name
  QSpinBox* YearUpDown = nullptr;
  QPushButton* OkBtn = nullptr;
  QPushButton* CancelBtn = nullptr;  // on the Arabic face only

 private:
  class NameSpinBox;

  std::unique_ptr<RangeSelectorModel> model_;
};

}  // namespace vek
