#include "ui/windows/accuracy_window.h"
#include "ui/windows/single_window.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <vector>

#include "model/curves.h"
#include "model/messages.h"
#include "output/achieved_csv.h"
#include "storage/atomic_file.h"
#include "ui/graphs/plot_group.h"
#include "ui/graphs/plot_widget.h"
#include "ui/graphs/rgb_colour.h"
#include "ui/platform/message_boxes.h"
#include "ui/platform/platform_services.h"
#include "ui/platform/qt_strings.h"

namespace ign::ui {
namespace {

QPointer<AccuracyWindow> openWindow;

const QColor kLimitColour(96, 96, 96);
// About as many angle labels as a chart of the window's first height shows.
constexpr int kAdvanceIntervals = 6;

// One value of every period, over its speed, in the order of the periods.
template <class Value>
std::vector<QPointF> overSpeed(const TableAnalysis& analysis, Value value)
{
    std::vector<QPointF> points;
    points.reserve(analysis.periods.size());
    for (const PeriodAdvance& p : analysis.periods)
        points.emplace_back(p.rpm, value(p));
    return points;
}

// Round angles around every defined advance, with a little room, never empty.
PlotRange advanceRange(const TableAnalysis& analysis)
{
    double low = std::numeric_limits<double>::infinity(), high = -low;
    for (const PeriodAdvance& p : analysis.periods) {
        for (int ch = 0; ch < 2; ++ch) {
            const auto c = static_cast<std::size_t>(ch);
            for (double v : {p.wanted[c], p.achieved[c]}) {
                if (std::isfinite(v)) {
                    low = std::fmin(low, v);
                    high = std::fmax(high, v);
                }
            }
        }
    }
    if (!(high >= low))
        low = high = 0;
    if (!(high > low)) {
        low -= 0.5;
        high += 0.5;
    }
    const double room = (high - low) * 0.05;
    const AxisTicks ticks = roundTicksOutside(low - room, high + room, kAdvanceIntervals);
    if (ticks.values.size() < 2)
        return {low - room, high + room};
    return {ticks.values.front(), ticks.values.back()};
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
    charts_->setObjectName(QStringLiteral("charts"));
    // The saved picture is this widget: its corners must not be left clear.
    charts_->setAutoFillBackground(true);
    auto* chartLayout = new QVBoxLayout(charts_);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    const QString speed = QStringLiteral("об/мин");
    advanceChart_ = new PlotWidget(speed, QStringLiteral("УОЗ, °"), charts_);
    advanceChart_->setObjectName(QStringLiteral("advanceChart"));
    deviationChart_ = new PlotWidget(speed, QStringLiteral("отклонение, °"), charts_);
    deviationChart_->setObjectName(QStringLiteral("deviationChart"));
    chartLayout->addWidget(advanceChart_, 3);
    chartLayout->addWidget(deviationChart_, 2);
    layout->addWidget(charts_, 1);
    group_ = new PlotGroup(this);
    group_->add(advanceChart_);
    group_->add(deviationChart_);
    connect(advanceChart_, &PlotWidget::pointed, this,
            [this](double rpm, double v) { showReading(rpm, v, false); });
    connect(deviationChart_, &PlotWidget::pointed, this,
            [this](double rpm, double v) { showReading(rpm, v, true); });

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
    for (PlotWidget* chart : {advanceChart_, deviationChart_}) {
        chart->clear();
        chart->setDecimalSeparator(separator_);
    }
    if (!analysis_ || analysis_->periods.empty())
        return;
    const TableAnalysis& a = *analysis_;
    for (int ch = 0; ch < 2; ++ch) {
        const auto c = static_cast<std::size_t>(ch);
        const QString number = QString::number(ch + 1);
        const QColor achieved = toQColor(computedColour(ch));
        // The smooth wanted curve over the saw-tooth, so both stay visible.
        advanceChart_->addLine({QStringLiteral("фактический ") + number, achieved, Qt::SolidLine,
                                overSpeed(a, [c](const PeriodAdvance& p) { return p.achieved[c]; })});
        advanceChart_->addLine({QStringLiteral("желаемый ") + number, toQColor(wantedColour(ch)),
                                Qt::SolidLine,
                                overSpeed(a, [c](const PeriodAdvance& p) { return p.wanted[c]; })});
        deviationChart_->addLine(
            {QStringLiteral("отклонение ") + number, achieved, Qt::SolidLine,
             overSpeed(a, [ch](const PeriodAdvance& p) { return p.deviation(ch); })});
    }
    advanceChart_->setYRange(advanceRange(a));
    const double largest = std::fmax(a.summary[0].largestDeviation, a.summary[1].largestDeviation);
    const double span = largest > 0 ? largest * 1.1 : 0.5;
    deviationChart_->setYRange({-span, span});
    deviationChart_->addMark({Qt::Horizontal, 0, QStringLiteral("0°"), Qt::black, Qt::DashLine});
    deviationChart_->addMark(
        {Qt::Vertical, a.nminRpm, QStringLiteral("Nmin"), kLimitColour, Qt::DotLine});
    deviationChart_->addMark(
        {Qt::Vertical, a.nmaxRpm, QStringLiteral("Nmax"), kLimitColour, Qt::DashDotLine});
    // Periods ascend, so the speeds descend.
    group_->setFullXRange({a.periods.back().rpm, a.periods.front().rpm});
}

void AccuracyWindow::resetZoom()
{
    group_->showFullRange();
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
