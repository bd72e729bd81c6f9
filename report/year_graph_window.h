// The year graph window: the times of every day of the current year at the current location as
// a picture (one column per day, the hours of the day upwards), with month and hour marks and a
// legend of the colours; the conflict colour is named only when a day has one.
#pragma once

#include <QDialog>
#include <QImage>

#include <array>

#include "report/report_context.h"
#include "report/year_graph.h"

class QFrame;
class QLabel;

namespace vek {

class TVEKGraph : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kGraphHeight = 288;  // five minutes a pixel

  // Computes the rows of the year and draws them.
  explicit TVEKGraph(const ReportContext& context, QWidget* parent = nullptr);

  const std::vector<KQItem>& Rows() const { return rows_; }
  const YearGraphImage& Graph() const { return graph_; }
  // The picture as Qt shows it, one pixel column per day.
  const QImage& Image() const { return image_; }
  bool ConflictShown() const;

  QWidget* Plot = nullptr;
  QFrame* Legend_P = nullptr;
  QLabel* ConflictLabel = nullptr;
  QLabel* ConflictSample = nullptr;

 private:
  class PlotArea;

  std::vector<KQItem> rows_;
  YearGraphImage graph_;
  QImage image_;
  bool hijriMode_ = false;
  int hijriAdjust_ = 0;
};

}  // namespace vek
