#include "toolkit/gui/chart.h"

#include <qcustomplot.h>

#include <QMouseEvent>
#include <QStandardItemModel>
#include <algorithm>
#include <cmath>

#include "toolkit/gui/chartseries.h"
#include "toolkit/gui/qtbridge.h"
#include "toolkit/gui/strings.h"

namespace {

// Days from 1899-12-30, the library's day count, to 1970-01-01.
constexpr double kUnixEpochDays = 25569.0;
constexpr double kSecondsPerDay = 86400.0;

// Labels X values that are day counts of local date-times. The date ticker reckons in seconds
// since 1970; it is handed the day counts as seconds of UTC, so it shows the local wall clock
// the days stand for.
class TDayTicker : public QCPAxisTickerDateTime {
public:
  TDayTicker() {
    setDateTimeSpec(Qt::UTC);
    setDateTimeFormat("dd.MM.yy\nhh:mm");
  }

protected:
  static double Seconds(double days) { return (days - kUnixEpochDays) * kSecondsPerDay; }
  static double Days(double seconds) { return seconds / kSecondsPerDay + kUnixEpochDays; }
  static QCPRange Seconds(const QCPRange& days) {
    return QCPRange(Seconds(days.lower), Seconds(days.upper));
  }
  double getTickStep(const QCPRange& range) override {
    return QCPAxisTickerDateTime::getTickStep(Seconds(range)) / kSecondsPerDay;
  }
  int getSubTickCount(double tickStep) override {
    return QCPAxisTickerDateTime::getSubTickCount(tickStep * kSecondsPerDay);
  }
  QString getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                       int precision) override {
    return QCPAxisTickerDateTime::getTickLabel(Seconds(tick), locale, formatChar, precision);
  }
  QVector<double> createTickVector(double tickStep, const QCPRange& range) override {
    QVector<double> ticks =
        QCPAxisTickerDateTime::createTickVector(tickStep * kSecondsPerDay, Seconds(range));
    for (double& tick : ticks) tick = Days(tick);
    return ticks;
  }
};

enum class TTickerKind { Plain, Logarithmic, DateTime };

TTickerKind TickerKindOf(const QCPAxis* axis) {
  if (dynamic_cast<const TDayTicker*>(axis->ticker().data())) return TTickerKind::DateTime;
  if (dynamic_cast<const QCPAxisTickerLog*>(axis->ticker().data())) return TTickerKind::Logarithmic;
  return TTickerKind::Plain;
}

void SetTicker(QCPAxis* axis, TTickerKind kind) {
  if (TickerKindOf(axis) == kind) return;
  switch (kind) {
    case TTickerKind::Plain: axis->setTicker(QSharedPointer<QCPAxisTicker>::create()); break;
    case TTickerKind::Logarithmic:
      axis->setTicker(QSharedPointer<QCPAxisTickerLog>::create());
      break;
    case TTickerKind::DateTime: axis->setTicker(QSharedPointer<TDayTicker>::create()); break;
  }
}

}  // namespace

TChart::TChart(TComponent* Owner)
    : TWinControl(Owner, new QCustomPlot),
      titleModel_(std::make_unique<QStandardItemModel>()),
      title_(std::make_unique<TStrings>(titleModel_.get(), kSystemCodePage)) {
  QCustomPlot* plot = Plot();
  // QCustomPlot cannot paint into a buffer of no size, as a page not yet laid out has.
  plot->setMinimumSize(1, 1);
  plot->setAutoAddPlottableToLegend(false);
  // Thousands of marks: drawn without smoothing they cost a fraction, and look as sharp.
  plot->setNotAntialiasedElements(QCP::aeAll);
  plot->setPlottingHint(QCP::phFastPolylines, true);
  plot->plotLayout()->insertRow(0);
  titleElement_ = new QCPTextElement(plot);
  plot->plotLayout()->addElement(0, 0, titleElement_);
  bottomAxis_ = std::make_unique<TChartAxis>(this, plot->xAxis);
  leftAxis_ = std::make_unique<TChartAxis>(this, plot->yAxis);
  plot->setSelectionRectMode(QCP::srmCustom);
  QObject::connect(plot->selectionRect(), &QCPSelectionRect::accepted,
                   [this](const QRect&, QMouseEvent* event) {
                     const QPoint end = event->pos();
                     if (end.x() > pressX_ && end.y() > pressY_)
                       ZoomRect(pressX_, pressY_, end.x(), end.y());
                     else
                       UndoZoom();
                   });
  QObject::connect(plot, &QCustomPlot::beforeReplot, [this] {
    if (dirty_) Rebuild();
    ApplyRange(bottomAxis_.get());
    ApplyRange(leftAxis_.get());
  });
  auto titleChanged = [this] { TitleChanged(); };
  QObject::connect(titleModel_.get(), &QAbstractItemModel::rowsInserted, titleChanged);
  QObject::connect(titleModel_.get(), &QAbstractItemModel::rowsRemoved, titleChanged);
  QObject::connect(titleModel_.get(), &QAbstractItemModel::dataChanged, titleChanged);
  QObject::connect(titleModel_.get(), &QAbstractItemModel::modelReset, titleChanged);
  setColor(clWhite);
}

TChart::~TChart() {
  // The series outlive the chart as components of the window: they only forget it.
  for (TChartSeries* series : series_) series->chart_ = nullptr;
}

QCustomPlot* TChart::Plot() const { return static_cast<QCustomPlot*>(Handle()); }

void TChart::setLegendVisible(bool visible) {
  legendVisible_ = visible;
  Changed();
}

void TChart::Attach(TChartSeries* series) {
  series_.push_back(series);
  Changed();
}

void TChart::Detach(TChartSeries* series) {
  series_.erase(std::remove(series_.begin(), series_.end(), series), series_.end());
  Changed();
}

void TChart::Changed() {
  dirty_ = true;
  // A chart out of sight (a page behind, a window not shown) draws when it shows.
  if (Handle()->isVisible()) Plot()->replot(QCustomPlot::rpQueuedReplot);
}

void TChart::Draw() { Plot()->replot(QCustomPlot::rpImmediateRefresh); }

void TChart::Rebuild() {
  QCustomPlot* plot = Plot();
  plot->clearPlottables();
  plot->clearItems();
  bool dateTime = false;
  for (TChartSeries* series : series_) {
    series->Draw(plot->xAxis, plot->yAxis);
    dateTime = dateTime || series->XDateTime();
  }
  plot->legend->setVisible(legendVisible_ && plot->legend->itemCount() > 0);
  SetTicker(plot->xAxis, dateTime                     ? TTickerKind::DateTime
                         : bottomAxis_->Logarithmic() ? TTickerKind::Logarithmic
                                                      : TTickerKind::Plain);
  SetTicker(plot->yAxis, leftAxis_->Logarithmic() ? TTickerKind::Logarithmic : TTickerKind::Plain);
  dirty_ = false;
}

bool TChart::DataRange(bool bottom, double& min, double& max) const {
  bool found = false;
  for (const TChartSeries* series : series_) {
    TChartRange range{};
    if (!(bottom ? series->Data().XRange(range) : series->Data().YRange(range))) continue;
    min = found ? std::min(min, range.Min) : range.Min;
    max = found ? std::max(max, range.Max) : range.Max;
    found = true;
  }
  return found;
}

void TChart::ApplyRange(TChartAxis* axis) {
  QCPAxis* handle = axis->Handle();
  handle->setScaleType(axis->Logarithmic() ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
  double lower = axis->Minimum();
  // A logarithmic X axis that would start at 0 or below starts a little before the first
  // point above 0 (QCustomPlot would put it at a thousandth of the maximum).
  if (axis->Logarithmic() && lower <= 0 && axis == bottomAxis_.get()) {
    bool found = false;
    for (const TChartSeries* series : series_) {
      double x = 0;
      if (!series->Data().FirstPositiveX(x)) continue;
      lower = found ? std::min(lower, x) : x;
      found = true;
    }
    if (found) lower /= 1.5;
  }
  handle->setRange(lower, axis->Maximum());
}

void TChart::SaveZoomState() {
  if (zoomed_) return;
  savedBottom_ = bottomAxis_->State();
  savedLeft_ = leftAxis_->State();
  zoomed_ = true;
}

void TChart::ZoomRect(int left, int top, int right, int bottom) {
  Draw();
  QCustomPlot* plot = Plot();
  const double x0 = plot->xAxis->pixelToCoord(left), x1 = plot->xAxis->pixelToCoord(right);
  const double y0 = plot->yAxis->pixelToCoord(bottom), y1 = plot->yAxis->pixelToCoord(top);
  SaveZoomState();
  bottomAxis_->setState({false, false, std::min(x0, x1), std::max(x0, x1)});
  leftAxis_->setState({false, false, std::min(y0, y1), std::max(y0, y1)});
  Fire(OnZoom);
}

void TChart::UndoZoom() {
  if (zoomed_) {
    bottomAxis_->setState(savedBottom_);
    leftAxis_->setState(savedLeft_);
    zoomed_ = false;
  }
  Fire(OnUndoZoom);
}

void TChart::ScrollBy(int dx, int dy) {
  Draw();
  QCustomPlot* plot = Plot();
  auto moved = [](QCPAxis* axis, int by) {
    const QCPRange range = axis->range();
    return TChartAxis::TState{false, false,
                              axis->pixelToCoord(axis->coordToPixel(range.lower) - by),
                              axis->pixelToCoord(axis->coordToPixel(range.upper) - by)};
  };
  const TChartAxis::TState x = moved(plot->xAxis, dx), y = moved(plot->yAxis, dy);
  SaveZoomState();
  bottomAxis_->setState(x);
  leftAxis_->setState(y);
  Fire(OnScroll);
}

bool TChart::WidgetEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::Show:
      if (dirty_) Plot()->replot(QCustomPlot::rpQueuedReplot);
      break;
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) {
        pressX_ = mouse->pos().x();
        pressY_ = mouse->pos().y();
        Plot()->setSelectionRectMode(allowZoom_ ? QCP::srmCustom : QCP::srmNone);
      } else if (mouse->button() == Qt::RightButton && allowPanning_) {
        panning_ = true;
        panX_ = mouse->pos().x();
        panY_ = mouse->pos().y();
        return true;
      }
      break;
    }
    case QEvent::MouseMove:
      if (panning_) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int dx = mouse->pos().x() - panX_, dy = mouse->pos().y() - panY_;
        panX_ = mouse->pos().x();
        panY_ = mouse->pos().y();
        if (dx || dy) ScrollBy(dx, dy);
        return true;
      }
      break;
    case QEvent::MouseButtonRelease:
      if (panning_ && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        panning_ = false;
        return true;
      }
      break;
    default: break;
  }
  return TWinControl::WidgetEvent(event);
}

void TChart::ColorChanged() {
  QCustomPlot* plot = Plot();
  const QColor back = ToQColor(Color());
  // Axes, grid and texts in a colour that stands out from the background.
  const QColor fore = back.lightness() < 128 ? QColor(210, 210, 210) : QColor(0, 0, 0);
  const QColor grid = back.lightness() < 128 ? QColor(70, 70, 70) : QColor(215, 215, 215);
  plot->setBackground(back);
  for (QCPAxis* axis : {plot->xAxis, plot->yAxis}) {
    axis->setBasePen(fore);
    axis->setTickPen(fore);
    axis->setSubTickPen(fore);
    axis->setTickLabelColor(fore);
    axis->setLabelColor(fore);
    axis->grid()->setPen(QPen(grid, 0, Qt::DotLine));
  }
  titleElement_->setTextColor(fore);
  plot->legend->setBrush(back);
  plot->legend->setBorderPen(fore);
  plot->legend->setTextColor(fore);
  Changed();
}

void TChart::TitleChanged() {
  QStringList lines;
  for (int i = 0; i < title_->Count(); ++i) lines << ToQString(title_->Strings(i));
  titleElement_->setText(lines.join('\n'));
  Changed();
}

void TChart::Publish(TPropList& properties) {
  TWinControl::Publish(properties);
  properties.push_back(ObjectProperty("Title", "TChartTitle", [this] { return title_.get(); }));
}
