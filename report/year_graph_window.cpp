#include "report/year_graph_window.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/calendar.h"
#include "foundation/qt/color_ref.h"
#include "foundation/qt/qt_strings.h"

namespace vek {

namespace {

constexpr int kDayWidth = 2;  // screen pixels per day
constexpr int kLeftMargin = 30;
constexpr int kBottomMargin = 22;
constexpr int kTopMargin = 8;

}  // namespace

// The picture with the hour marks on its left and the month marks under it.
class TVEKGraph::PlotArea : public QWidget {
 public:
  explicit PlotArea(const TVEKGraph& graph) : graph_(graph) {
    setObjectName("Plot");
    setLayoutDirection(Qt::LeftToRight);  // the days run from left to right in both languages
    setFixedSize(kLeftMargin + graph.image_.width() * kDayWidth + 8,
                 kTopMargin + graph.image_.height() + kBottomMargin);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const QImage& image = graph_.image_;
    const QRect area(kLeftMargin, kTopMargin, image.width() * kDayWidth, image.height());
    painter.drawImage(area, image);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(area.adjusted(-1, -1, 0, 0));
    const QFontMetrics metrics(font());
    for (int hour = 0; hour <= 24; hour += 2) {
      const int y = area.bottom() + 1 - hour * image.height() / 24;
      painter.drawLine(area.left() - 4, y, area.left() - 1, y);
      const QString text = QString::number(hour);
      painter.drawText(QRect(0, y - metrics.height() / 2, area.left() - 6, metrics.height()),
                       Qt::AlignRight | Qt::AlignVCenter, text);
    }
    const std::vector<KQItem>& rows = graph_.rows_;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const YearMonthDay date =
          DecodeCalendarDate(rows[i].Date, graph_.hijriMode_, graph_.hijriAdjust_);
      if (date.day != 1)
        continue;
      const int x = area.left() + static_cast<int>(i) * kDayWidth;
      painter.drawLine(x, area.bottom() + 1, x, area.bottom() + 5);
      painter.drawText(QRect(x, area.bottom() + 5, 30, metrics.height()),
                       Qt::AlignLeft | Qt::AlignTop, QString::number(date.month));
    }
  }

 private:
  const TVEKGraph& graph_;
};

TVEKGraph::TVEKGraph(const ReportContext& context, QWidget* parent)
    : QDialog(parent),
      hijriMode_(context.Source.HijriMode),
      hijriAdjust_(context.Engine.HijriAdjust) {
  setObjectName("TVEKGraph");
  if (context.Locations)
    rows_ = YearGraphRows(context.Today, hijriMode_, *context.Locations, context.Engine);
  graph_ = DrawYearGraph(rows_, kGraphHeight, hijriAdjust_);
  image_ = QImage(graph_.Width, graph_.Height, QImage::Format_RGB32);
  for (int y = 0; y < graph_.Height; ++y)
    for (int x = 0; x < graph_.Width; ++x)
      image_.setPixelColor(x, y, ColorFromColorRef(graph_.At(x, y)));

  const Language lang = context.Source.Lang;
  setLayoutDirection(LayoutDirectionOf(lang));
  setWindowTitle(QByLanguage(lang, "Prayer Time Graph for a Year", "مخطط أوقات الصلاة لسنة كاملة"));

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(10, 10, 10, 10);
  Plot = new PlotArea(*this);
  outer->addWidget(Plot, 0, Qt::AlignHCenter);

  Legend_P = new QFrame;
  Legend_P->setObjectName("Legend_P");
  auto* legend = new QHBoxLayout(Legend_P);
  legend->setContentsMargins(0, 0, 0, 0);
  struct Entry {
    const char* English;
    const char* Arabic;
    std::uint32_t Color;
  };
  const std::array<Entry, 7> entries = {{
      {"Imsak", "إمساك", kGraphImsak},
      {"Fajr", "فجر", kGraphFajr},
      {"Zuhr", "ظهر", kGraphZuhr},
      {"Asr", "عصر", kGraphAsr},
      {"Maghrib", "مغرب", kGraphMaghrib},
      {"Isha", "عشاء", kGraphBackground},
      {"Conflict", "تضارب", kGraphConflict},
  }};
  for (const Entry& e : entries) {
    auto* sample = new QLabel;
    sample->setFixedSize(16, 16);
    sample->setFrameStyle(QFrame::Box | QFrame::Plain);
    sample->setStyleSheet(QStringLiteral("background: %1; border: 1px solid gray;")
                              .arg(ColorFromColorRef(e.Color).name()));
    auto* label = new QLabel(QByLanguage(lang, e.English, e.Arabic));
    legend->addWidget(sample);
    legend->addWidget(label);
    legend->addSpacing(10);
    if (e.Color == kGraphConflict) {
      ConflictSample = sample;
      ConflictLabel = label;
    }
  }
  legend->addStretch(1);
  auto* close = new QPushButton(QByLanguage(lang, "Close", "إغلاق"));
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  legend->addWidget(close);
  outer->addWidget(Legend_P);
  ConflictSample->setVisible(graph_.Conflict);
  ConflictLabel->setVisible(graph_.Conflict);
}

bool TVEKGraph::ConflictShown() const {
  return !ConflictLabel->isHidden();
}

}  // namespace vek
