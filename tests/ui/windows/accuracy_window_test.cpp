#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QWheelEvent>

#include <cmath>
#include <cstdlib>

#include "output/achieved_csv.h"
#include "support/window_fixture.h"
#include "ui/graphs/plot_widget.h"
#include "ui/windows/accuracy_window.h"

namespace ign::ui {
inline void PrintTo(const PlotRange& r, std::ostream* os)
{
    *os << "[" << r.low << ", " << r.high << "]";
}
}  // namespace ign::ui

namespace ign::ui::test {
namespace {

class AccuracyWindowTest : public WindowTest {
protected:
    AccuracyWindow* open()
    {
        action("accuracy")->trigger();
        return AccuracyWindow::instance();
    }
    static PlotWidget* chart(AccuracyWindow* w, const char* name)
    {
        return w->findChild<PlotWidget*>(QLatin1String(name));
    }
    static QString label(AccuracyWindow* w, const char* name)
    {
        return w->findChild<QLabel*>(QLatin1String(name))->text();
    }
    TableAnalysis analysis() const
    {
        return analyseTable(window->calcState(), window->inputs().values());
    }
    static void wheel(PlotWidget* chart, QPointF at, int delta)
    {
        QWheelEvent event(at, chart->mapToGlobal(at), {}, {0, delta}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart, &event);
    }
    static void moveTo(PlotWidget* chart, QPointF at)
    {
        QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(chart, &move);
    }
    // Whether the picture has about `colour` within a few pixels above or
    // below `at`: lines are drawn smooth, so their edges are blends.
    static bool colourNear(const QImage& image, QPoint at, Rgb colour, int reach = 3)
    {
        for (int dy = -reach; dy <= reach; ++dy) {
            const QPoint p = at + QPoint(0, dy);
            if (!image.rect().contains(p))
                continue;
            const QColor c = image.pixelColor(p);
            if (std::abs(c.red() - colour.r) < 48 && std::abs(c.green() - colour.g) < 48 &&
                std::abs(c.blue() - colour.b) < 48)
                return true;
        }
        return false;
    }
};

// The period nearest a speed, and its values as the charts show them.
const PeriodAdvance& periodAt(const TableAnalysis& a, double rpm)
{
    const PeriodAdvance* best = &a.periods.front();
    for (const PeriodAdvance& p : a.periods)
        if (std::fabs(p.rpm - rpm) < std::fabs(best->rpm - rpm))
            best = &p;
    return *best;
}

TEST_F(AccuracyWindowTest, MenuItemOpensOneWindowThatFollowsCalculate)
{
    start();
    QAction* item = action("accuracy");
    const QList<QAction*> menu = find<QMenu>(QStringLiteral("table"))->actions();
    ASSERT_GE(menu.size(), 2);
    // After its own separator; only "Отменить" and "Повторить" follow it.
    const qsizetype at = menu.indexOf(item);
    ASSERT_GE(at, 1);
    EXPECT_TRUE(menu[at - 1]->isSeparator());
    EXPECT_EQ(menu.size() - at, 4);
    EXPECT_EQ(item->text(), QStringLiteral("Точность таблицы..."));
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));

    AccuracyWindow* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(open(), w);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Точность таблицы"));
    EXPECT_EQ(w->windowModality(), Qt::NonModal);
    EXPECT_EQ(label(w, "noTable"),
              QStringLiteral("Нет рассчитанной таблицы: нажмите «Рассчитать»."));
    EXPECT_FALSE(chart(w, "advanceChart")->isVisible());
    for (const char* name : {"resetZoom", "savePicture", "saveData"})
        EXPECT_FALSE(w->findChild<QPushButton*>(QLatin1String(name))->isEnabled()) << name;

    click(button("Command1"));
    EXPECT_FALSE(w->findChild<QLabel*>(QStringLiteral("noTable"))->isVisible());
    EXPECT_TRUE(chart(w, "advanceChart")->isVisible());
    EXPECT_TRUE(chart(w, "deviationChart")->isVisible());
    EXPECT_EQ(label(w, "summary1"),
              QStringLiteral("Характеристика 1: наибольшее отклонение 0.91° "
                             "при 14507 об/мин (в точках таблицы 0.35°)"));
    EXPECT_EQ(label(w, "summary2"),
              QStringLiteral("Характеристика 2: наибольшее отклонение 0.49° "
                             "при 14124 об/мин (в точках таблицы 0.26°)"));

    // An offset byte out of range after the next calculation: 20 entries of
    // characteristic 1 lose their achieved value, and their speeds show no
    // red saw-tooth at all.
    chooseByPoints();
    window->inputs().assign([&] {
        Inputs in = window->inputs().values();
        in.combo1[0] = "2";
        in.text1[5] = "60";
        in.text1[6] = "120";
        in.text6[22] = "12";
        return in;
    }());
    click(button("Command1"));
    EXPECT_TRUE(label(w, "summary1").endsWith(QStringLiteral("вне 0...255: 20")))
        << label(w, "summary1").toStdString();
    PlotWidget* top = chart(w, "advanceChart");
    const QImage picture = top->grab().toImage();
    const QRect area = top->plotArea();
    const TableAnalysis a = analysis();
    int emptyColumns = 0;
    for (int x = area.left() + 2; x < area.right() - 2; ++x) {
        // A column whose speeds, a pixel either side, are all undefined.
        bool undefined = true;
        for (int dx : {-2, 0, 2})
            undefined = undefined &&
                std::isnan(periodAt(a, top->toValue(QPointF(x + dx, 0)).x()).achieved[0]);
        if (!undefined)
            continue;
        ++emptyColumns;
        for (int y = area.top(); y <= area.bottom(); ++y)
            EXPECT_FALSE(colourNear(picture, {x, y}, kRed, 0)) << x << ", " << y;
    }
    EXPECT_GT(emptyColumns, 10);
}

TEST_F(AccuracyWindowTest, WheelZoomsBothChartsAndResetRestores)
{
    start();
    click(button("Command1"));
    AccuracyWindow* w = open();
    PlotWidget* top = chart(w, "advanceChart");
    PlotWidget* bottom = chart(w, "deviationChart");
    const PlotRange full = top->xRange();
    EXPECT_NEAR(full.high, 14648.4, 0.1);
    EXPECT_EQ(bottom->xRange(), full);
    // One speed stands at one place on both charts.
    EXPECT_EQ(top->plotArea().left(), bottom->plotArea().left());
    EXPECT_EQ(top->plotArea().right(), bottom->plotArea().right());

    // The speed under the pointer stays under it.
    const QPointF at(bottom->plotArea().left() + bottom->plotArea().width() * 0.7,
                     bottom->plotArea().center().y());
    const double rpm = bottom->toValue(at).x();
    wheel(bottom, at, 120);
    EXPECT_LT(bottom->xRange().high - bottom->xRange().low, (full.high - full.low) * 0.9);
    EXPECT_EQ(top->xRange(), bottom->xRange());
    EXPECT_NEAR(bottom->toValue(at).x(), rpm, 1);
    EXPECT_NEAR(top->toValue(QPointF(at.x(), 0)).x(), rpm, 1);

    wheel(top, at, 120);
    EXPECT_EQ(top->xRange(), bottom->xRange());
    click(w->findChild<QPushButton*>(QStringLiteral("resetZoom")));
    EXPECT_EQ(top->xRange(), full);
    EXPECT_EQ(bottom->xRange(), full);

    // Zooming out never shows more than there is.
    wheel(top, at, 120);
    for (int i = 0; i < 5; ++i)
        wheel(top, top->plotArea().topLeft(), -120);
    EXPECT_EQ(top->xRange(), full);
    EXPECT_EQ(bottom->xRange(), full);
}

// Under the pointer, the nearest period of the characteristic whose curve
// lies nearer, on either chart.
TEST_F(AccuracyWindowTest, ReadsTheValuesUnderThePointer)
{
    start();
    click(button("Command1"));
    AccuracyWindow* w = open();
    const TableAnalysis a = analysis();
    const PeriodAdvance& p = periodAt(a, 14507);
    PlotWidget* top = chart(w, "advanceChart");
    PlotWidget* bottom = chart(w, "deviationChart");
    // Close enough that one pixel is a small part of one period's speeds.
    for (int i = 0; i < 12; ++i)
        wheel(top, top->toPixel({p.rpm, p.achieved[0]}), 120);
    ASSERT_LT(top->xRange().high - top->xRange().low, 2000);

    const QString expected1 = QStringLiteral(
        "14507 об/мин, характеристика 1: желаемый УОЗ 37.65°, фактический 38.56°, "
        "отклонение -0.91°");
    moveTo(top, top->toPixel({p.rpm, p.achieved[0]}));
    EXPECT_EQ(label(w, "reading").toStdString(), expected1.toStdString());
    moveTo(bottom, bottom->toPixel({p.rpm, p.deviation(0)}));
    EXPECT_EQ(label(w, "reading").toStdString(), expected1.toStdString());
    moveTo(top, top->toPixel({p.rpm, p.wanted[1]}));
    EXPECT_TRUE(label(w, "reading").startsWith(QStringLiteral("14507 об/мин, характеристика 2: ")))
        << label(w, "reading").toStdString();
}

// The data are the batch tool's CSV to the byte; the picture is both charts
// as the window shows them, the curves in their colours where they run; a
// write that fails is told and leaves nothing behind.
TEST_F(AccuracyWindowTest, SavesDataAndPictureThroughTheDialog)
{
    start();
    click(button("Command1"));
    AccuracyWindow* w = open();
    const TableAnalysis a = analysis();
    const std::string csv = achievedCsv(a);

    dialogs.answers = {folder.filePath(QStringLiteral("a.csv")),
                       folder.filePath(QStringLiteral("a.png")),
                       folder.filePath(QStringLiteral("missing/b.csv"))};
    click(w->findChild<QPushButton*>(QStringLiteral("saveData")));
    click(w->findChild<QPushButton*>(QStringLiteral("savePicture")));
    click(w->findChild<QPushButton*>(QStringLiteral("saveData")));
    ASSERT_EQ(dialogs.asked.size(), 3u);
    EXPECT_TRUE(dialogs.asked[0].save);
    EXPECT_EQ(dialogs.asked[1].request.filter, QStringLiteral("Рисунок PNG (*.png)"));
    EXPECT_EQ(readFile("a.csv"), csv);
    ASSERT_TRUE(readFile("a.png").starts_with("\x89PNG\r\n"));
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_TRUE(boxes.asked[0].text.startsWith(QStringLiteral("Не удалось сохранить файл ")));
    EXPECT_EQ(boxes.asked[0].icon, Icon::Critical);

    QImage png;
    ASSERT_TRUE(png.load(folder.filePath(QStringLiteral("a.png"))));
    QWidget* charts = w->findChild<QWidget*>(QStringLiteral("charts"));
    EXPECT_EQ(png.size(), charts->size());
    PlotWidget* top = chart(w, "advanceChart");
    PlotWidget* bottom = chart(w, "deviationChart");
    // Where the two characteristics deviate most, the saw-tooth stands clear
    // of the wanted curve; at low speed the wanted curve covers it.
    const PeriodAdvance& far1 = periodAt(a, a.summary[0].largestAtRpm);
    const PeriodAdvance& far2 = periodAt(a, a.summary[1].largestAtRpm);
    const PeriodAdvance& slow = periodAt(a, 3000);
    const struct {
        const char* what;
        PlotWidget* chart;
        double rpm, value;
        Rgb colour;
    } curves[] = {
        {"wanted 1", top, slow.rpm, slow.wanted[0], wantedColour(0)},
        {"wanted 2", top, slow.rpm, slow.wanted[1], wantedColour(1)},
        {"achieved 1", top, far1.rpm, far1.achieved[0], computedColour(0)},
        {"achieved 2", top, far2.rpm, far2.achieved[1], computedColour(1)},
        {"deviation 1", bottom, far1.rpm, far1.deviation(0), computedColour(0)},
        {"deviation 2", bottom, far2.rpm, far2.deviation(1), computedColour(1)},
    };
    for (const auto& curve : curves) {
        const QPoint at = curve.chart->mapTo(charts, curve.chart->toPixel({curve.rpm, curve.value})
                                                         .toPoint());
        EXPECT_TRUE(colourNear(png, at, curve.colour)) << curve.what;
        // Not just anywhere: well above and below there is none of it.
        EXPECT_FALSE(colourNear(png, at + QPoint(0, 12), curve.colour, 1)) << curve.what;
    }
}

}  // namespace
}  // namespace ign::ui::test
