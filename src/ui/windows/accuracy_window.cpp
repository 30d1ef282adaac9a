#include "ui/windows/accuracy_window.h"
#include "ui/windows/single_window.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPointer>
#include <QPushButton>
#include <QValueAxis>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>

#include "model/curves.h"
#include "model/messages.h"
#include "output/achieved_csv.h"
#include "storage/atomic_file.h"
#include "ui/form/field_colours.h"
#include "ui/platform/message_boxes.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/qt_strings.h"

namespace ign::ui {

// A chart whose speed axis zooms with the mouse wheel around the pointer and
// which reports the chart values under the pointer.
class AnalysisChartView final : public QChartView {
public:
    AnalysisChartView(const QString& yTitle, QWidget* parent) : QChartView(new QChart, parent)
    {
        setRenderHint(QPainter::Antialiasing);
        setMouseTracking(true);
        chart()->setBackgroundBrush(kWindowColour);
        chart()->legend()->setAlignment(Qt::AlignRight);
        chart()->setMargins(QMargins(4, 4, 4, 4));
        x->setTitleText(QStringLiteral("об/мин"));
        x->setLabelFormat(QStringLiteral("%.0f"));
        x->setTickType(QValueAxis::TicksDynamic);
        x->setTickAnchor(0);
        x->setTickInterval(2000);
        y->setTitleText(yTitle);
        chart()->addAxis(x, Qt::AlignBottom);
        chart()->addAxis(y, Qt::AlignLeft);
    }

    QValueAxis* const x = new QValueAxis;
    QValueAxis* const y = new QValueAxis;
    double fullMin = 0, fullMax = 1;
    std::function<void(double rpm, double value)> pointed;

    // A line from `points`; a NaN value breaks it, so an undefined stretch is
    // left empty instead of bridged. Only the first piece has a legend entry.
    void addLine(const QString& objectName, const QString& legend, const QPen& pen,
                 const QList<QPointF>& points)
    {
        QList<QPointF> piece;
        bool first = true;
        const auto flush = [&] {
            if (piece.isEmpty())
                return;
            auto* series = new QLineSeries;
            series->setObjectName(objectName);
            series->setName(legend);
            series->setPen(pen);
            series->replace(piece);
            chart()->addSeries(series);
            series->attachAxis(x);
            series->attachAxis(y);
            if (!first)
                chart()->legend()->markers(series).constFirst()->setVisible(false);
            first = false;
            piece.clear();
        };
        for (const QPointF& p : points) {
            if (std::isfinite(p.y()))
                piece.append(p);
            else
                flush();
        }
        flush();
    }

protected:
    void wheelEvent(QWheelEvent* event) override
    {
        const double at = chart()->mapToValue(event->position()).x();
        const double factor = event->angleDelta().y() > 0 ? 0.8 : 1.25;
        const double low = std::fmax(fullMin, at - (at - x->min()) * factor);
        const double high = std::fmin(fullMax, at + (x->max() - at) * factor);
        if (high > low)
            x->setRange(low, high);
        event->accept();
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPointF value = chart()->mapToValue(event->position());
        if (pointed && chart()->plotArea().contains(event->position()))
            pointed(value.x(), value.y());
        QChartView::mouseMoveEvent(event);
    }
};

namespace {

QPointer<AccuracyWindow> openWindow;

QPen pen(Rgb c, Qt::PenStyle style = Qt::SolidLine)
{
    QPen p(QColor(c.r, c.g, c.b), 1.5, style);
    p.setCosmetic(true);
    return p;
}

// Axis range around [low, high] with a little room, never empty.
void fitRange(QValueAxis* axis, double low, double high)
{
    if (!(high > low)) {
        low -= 0.5;
        high += 0.5;
    }
    const double room = (high - low) * 0.05;
    axis->setRange(low - room, high + room);
}

}  // namespace

AccuracyWindow* AccuracyWindow::showSingle(FileDialogs& dialogs, MessageBoxes& boxes,
                                           QWidget* owner)
{
    return showSingleWindow(openWindow, [&] { return new AccuracyWindow(dialogs, boxes, owner); });
}

AccuracyWindow* AccuracyWindow::instance()
{
    return openWindow;
}

AccuracyWindow::AccuracyWindow(FileDialogs& dialogs, MessageBoxes& boxes, QWidget* owner)
    : QWidget(owner, Qt::Window), dialogs_(dialogs), boxes_(boxes)
{
    setObjectName(QStringLiteral("accuracyWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Точность таблицы"));
    resize(900, 720);

    auto* layout = new QVBoxLayout(this);
    for (int ch = 0; ch < 2; ++ch) {
        summary_[ch] = new QLabel(this);
        summary_[ch]->setObjectName(QStringLiteral("summary%1").arg(ch + 1));
        layout->addWidget(summary_[ch]);
    }
    noTable_ = new QLabel(QString::fromUtf8(kNoAnalysedTable), this);
    noTable_->setObjectName(QStringLiteral("noTable"));
    noTable_->setAlignment(Qt::AlignCenter);
    layout->addWidget(noTable_, 1);

    charts_ = new QWidget(this);
    auto* chartLayout = new QVBoxLayout(charts_);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    advanceView_ = new AnalysisChartView(QStringLiteral("УОЗ, °"), charts_);
    advanceView_->setObjectName(QStringLiteral("advanceChart"));
    deviationView_ = new AnalysisChartView(QStringLiteral("отклонение, °"), charts_);
    deviationView_->setObjectName(QStringLiteral("deviationChart"));
    chartLayout->addWidget(advanceView_, 3);
    chartLayout->addWidget(deviationView_, 2);
    layout->addWidget(charts_, 1);
    // Zooming either chart moves the other: both show the same speeds.
    for (auto [from, to] :
         {std::pair{advanceView_, deviationView_}, {deviationView_, advanceView_}}) {
        connect(from->x, &QValueAxis::rangeChanged, to->x,
                [to](qreal low, qreal high) { to->x->setRange(low, high); });
        connect(from->chart(), &QChart::plotAreaChanged, this, [this] { alignPlotAreas(); });
    }
    advanceView_->pointed = [this](double rpm, double v) { showReading(rpm, v, false); };
    deviationView_->pointed = [this](double rpm, double v) { showReading(rpm, v, true); };

    reading_ = new QLabel(this);
    reading_->setObjectName(QStringLiteral("reading"));
    layout->addWidget(reading_);

    auto* row = new QHBoxLayout;
    const char* names[] = {"resetZoom", "savePicture", "saveData"};
    const QString texts[] = {QStringLiteral("Весь диапазон"),
                             QStringLiteral("Сохранить рисунок..."),
                             QStringLiteral("Сохранить данные...")};
    const std::function<void()> actions[] = {[this] { resetZoom(); }, [this] { savePicture(); },
                                             [this] { saveData(); }};
    for (int i = 0; i < 3; ++i) {
        buttons_[i] = new QPushButton(texts[i], this);
        buttons_[i]->setObjectName(QLatin1String(names[i]));
        connect(buttons_[i], &QPushButton::clicked, this, actions[i]);
        if (i == 1)
            row->addStretch(1);
        row->addWidget(buttons_[i]);
    }
    layout->addLayout(row);
    showAnalysis(std::nullopt, '.');
}

void AccuracyWindow::showAnalysis(std::optional<TableAnalysis> analysis, char decimalSeparator)
{
    analysis_ = std::move(analysis);
    separator_ = decimalSeparator;
    const bool shown = analysis_.has_value() && !analysis_->periods.empty();
    noTable_->setVisible(!shown);
    charts_->setVisible(shown);
    reading_->clear();
    for (QPushButton* b : buttons_)
        b->setEnabled(shown);
    for (int ch = 0; ch < 2; ++ch)
        summary_[ch]->setText(shown ? toQt(analysisSummaryLine(*analysis_, ch, separator_))
                                    : QString());
    fillCharts();
}

void AccuracyWindow::fillCharts()
{
    for (AnalysisChartView* view : {advanceView_, deviationView_})
        view->chart()->removeAllSeries();
    if (!analysis_ || analysis_->periods.empty())
        return;
    const TableAnalysis& a = *analysis_;
    const double fastest = a.periods.front().rpm;
    const double slowest = a.periods.back().rpm;

    double low = std::numeric_limits<double>::infinity(), high = -low;
    for (int ch = 0; ch < 2; ++ch) {
        const auto c = static_cast<std::size_t>(ch);
        QList<QPointF> wanted, achieved, deviation;
        wanted.reserve(qsizetype(a.periods.size()));
        achieved.reserve(qsizetype(a.periods.size()));
        deviation.reserve(qsizetype(a.periods.size()));
        for (const PeriodAdvance& p : a.periods) {
            wanted.append({p.rpm, p.wanted[c]});
            achieved.append({p.rpm, p.achieved[c]});
            deviation.append({p.rpm, p.deviation(ch)});
            for (double v : {p.wanted[c], p.achieved[c]}) {
                if (std::isfinite(v)) {
                    low = std::fmin(low, v);
                    high = std::fmax(high, v);
                }
            }
        }
        const QString number = QString::number(ch + 1);
        // The smooth wanted curve over the saw-tooth, so both stay visible.
        advanceView_->addLine(QStringLiteral("achieved") + number,
                              QStringLiteral("фактический ") + number, pen(computedColour(ch)),
                              achieved);
        advanceView_->addLine(QStringLiteral("wanted") + number,
                              QStringLiteral("желаемый ") + number, pen(wantedColour(ch)), wanted);
        deviationView_->addLine(QStringLiteral("deviation") + number,
                                QStringLiteral("отклонение ") + number, pen(computedColour(ch)),
                                deviation);
    }
    fitRange(advanceView_->y, std::isfinite(low) ? low : 0, std::isfinite(high) ? high : 0);
    advanceView_->y->applyNiceNumbers();
    const double largest = std::fmax(a.summary[0].largestDeviation, a.summary[1].largestDeviation);
    const double span = largest > 0 ? largest * 1.1 : 0.5;
    deviationView_->y->setRange(-span, span);
    deviationView_->addLine(QStringLiteral("zero"), QStringLiteral("0°"), pen(kBlack, Qt::DashLine),
                            {{slowest, 0}, {fastest, 0}});
    const Rgb grey{96, 96, 96};
    deviationView_->addLine(QStringLiteral("nmin"), QStringLiteral("Nmin"), pen(grey, Qt::DotLine),
                            {{a.nminRpm, -span}, {a.nminRpm, span}});
    deviationView_->addLine(QStringLiteral("nmax"), QStringLiteral("Nmax"),
                            pen(grey, Qt::DashDotLine), {{a.nmaxRpm, -span}, {a.nmaxRpm, span}});
    for (AnalysisChartView* view : {advanceView_, deviationView_}) {
        view->fullMin = slowest;
        view->fullMax = fastest;
    }
    resetZoom();
}

void AccuracyWindow::alignPlotAreas()
{
    // The same speed must stand at the same place on both charts, whatever
    // the width of their angle labels and legends: widen the smaller side's
    // margin by the difference.
    QChart* charts[] = {advanceView_->chart(), deviationView_->chart()};
    double left[2], right[2];
    for (int i = 0; i < 2; ++i) {
        const QRectF area = charts[i]->plotArea();
        const QMargins m = charts[i]->margins();
        left[i] = area.left() - m.left();
        right[i] = charts[i]->size().width() - area.right() - m.right();
    }
    const double wantLeft = std::fmax(left[0], left[1]) + 4;
    const double wantRight = std::fmax(right[0], right[1]) + 4;
    for (int i = 0; i < 2; ++i) {
        QMargins m = charts[i]->margins();
        m.setLeft(int(std::lround(wantLeft - left[i])));
        m.setRight(int(std::lround(wantRight - right[i])));
        if (m != charts[i]->margins())
            charts[i]->setMargins(m);
    }
}

void AccuracyWindow::resetZoom()
{
    advanceView_->x->setRange(advanceView_->fullMin, advanceView_->fullMax);
}

void AccuracyWindow::showReading(double rpm, double value, bool deviationChart)
{
    if (analysis_ && !analysis_->periods.empty())
        reading_->setText(
            toQt(analysisReading(*analysis_, rpm, value, deviationChart, separator_)));
}

void AccuracyWindow::savePicture()
{
    writeChosen(QStringLiteral("Сохранить рисунок"), QStringLiteral("Рисунок PNG (*.png)"),
                QStringLiteral("Точность таблицы.png"), [this] {
                    QByteArray png;
                    QBuffer buffer(&png);
                    buffer.open(QIODevice::WriteOnly);
                    charts_->grab().save(&buffer, "PNG");
                    return png.toStdString();
                });
}

void AccuracyWindow::saveData()
{
    if (analysis_)
        writeChosen(QStringLiteral("Сохранить данные"), QStringLiteral("Данные CSV (*.csv)"),
                    QStringLiteral("Точность таблицы.csv"),
                    [this] { return achievedCsv(*analysis_); });
}

void AccuracyWindow::writeChosen(const QString& title, const QString& filter,
                                 const QString& fileName, const std::function<std::string()>& bytes)
{
    const auto chosen = dialogs_.saveFileName(this, {title, filter, fileName});
    if (!chosen)
        return;
    const std::filesystem::path file = toPath(*chosen);
    const WriteResult result = writeFileAtomically(file, bytes());
    if (!result.ok)
        boxes_.inform(this, toQt(writeFailureText(file, result.reason)), windowCaption(),
                      Icon::Critical);
}

}  // namespace ign::ui
