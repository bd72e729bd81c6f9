// The print preview: a report's pages one at a time as the printer will print them, shrunk to
// the window or at actual size (scrolled when larger than the window), with paging, the
// printer's set-up and printing. It takes them from a PreviewSource (the timetable window).
// Closing gives Cancel.
#pragma once

#include <QDialog>
#include <QImage>

#include <cstdint>

#include "report/preview_source.h"

class QLabel;
class QScrollArea;
class QToolBar;
class QToolButton;

namespace vek {

class TVEKPreView : public QDialog {
  Q_OBJECT

 public:
  // Shows page 1 of the source's pages, shrunk to fit.
  explicit TVEKPreView(PreviewSource& report, QWidget* parent = nullptr);

  // The pages offered: 1..count (at least one); the current page stays among them.
  void SetPageCount(int count);

  // The picture of the current page, and the widget showing it.
  const QImage& Bitmap() const { return bitmap_; }

  void ZoomBtnClick();
  void ActualBtnClick();
  void NextBtnClick();
  void PrevBtnClick();
  void SetupBtnClick();
  void PrintBtnClick();

  // Prev unless on the first page, Next unless on the last.
  void UpdatePageButtons();
  // The picture's size from the printer's page; the picture's place in the window.
  void SizeBitmap();
  void MakeLayout();
  void PaintBitmap();

  std::uint8_t FitToWindow = 1;  // 1 shrink to fit, 0 actual size
  int BitmapWidth = 0;
  int BitmapHeight = 0;
  int CurrentPage = 1;
  int PageCount = 1;

  QToolBar* PVToolBar = nullptr;
  QToolButton* CloseBtn = nullptr;
  QToolButton* PrintBtn = nullptr;
  QToolButton* SetupBtn = nullptr;
  QToolButton* ZoomBtn = nullptr;
  QToolButton* ActualBtn = nullptr;
  QToolButton* PrevBtn = nullptr;
  QToolButton* NextBtn = nullptr;
  QScrollArea* ImgPanel = nullptr;
  QLabel* Image = nullptr;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildWidgets();
  void SetCaptions();

  PreviewSource& report_;
  QImage bitmap_;
};

}  // namespace vek
