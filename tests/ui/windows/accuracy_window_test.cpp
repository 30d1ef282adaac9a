#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QValueAxis>
#include <QWheelEvent>

#include "output/achieved_csv.h"
#include "support/window_fixture.h"
#include "ui/windows/accuracy_window.h"

namespace ign::ui::test {
namespace {

class AccuracyWindowTest : public WindowTest {
protected:
    AccuracyWindow* open()
    {
        action("accuracy")->trigger();
        return AccuracyWindow::instance();
    }
    static QChartView* view(AccuracyWindow* w, const char* name)
    {
        return w->findChild<QChartView*>(QLatin1String(name));
    }
    // Points per line, summed over the pieces an undefined stretch cuts it into.
    static int points(AccuracyWindow* w, const char* chart, const QString& line)
    {
        int n = 0;
        for (QAbstractSeries* s : view(w, chart)->chart()->series())
            if (s->objectName() == line)
                n += int(static_cast<QLineSeries*>(s)->count());
        return n;
    }
    static QString label(AccuracyWindow* w, const char* name)
    {
        return w->findChild<QLabel*>(QLatin1String(name))->text();
    }
};

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
    EXPECT_TRUE(view(w, "advanceChart")->chart()->series().isEmpty());
    EXPECT_FALSE(view(w, "advanceChart")->isVisible());

    click(button("Command1"));
    EXPECT_FALSE(w->findChild<QLabel*>(QStringLiteral("noTable"))->isVisible());
    for (const char* line : {"wanted1", "achieved1", "wanted2", "achieved2"})
        EXPECT_EQ(points(w, "advanceChart", QLatin1String(line)), 7680) << line;
    for (const char* line : {"deviation1", "deviation2"})
        EXPECT_EQ(points(w, "deviationChart", QLatin1String(line)), 7680) << line;
    for (const char* line : {"zero", "nmin", "nmax"})
        EXPECT_EQ(points(w, "deviationChart", QLatin1String(line)), 2) << line;
    EXPECT_EQ(label(w, "summary1"),
              QStringLiteral("Характеристика 1: наибольшее отклонение 0.91° "
                             "при 14507 об/мин (в точках таблицы 0.35°)"));
    EXPECT_TRUE(label(w, "summary2").startsWith(QStringLiteral("Характеристика 2: ")));

    // An offset byte out of range after the next calculation: 20 entries of
    // characteristic 1 lose their achieved value.
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
    EXPECT_EQ(points(w, "advanceChart", QStringLiteral("achieved1")), 7680 - 20 * 256);
    EXPECT_TRUE(label(w, "summary1").endsWith(QStringLiteral("вне 0...255: 20")))
        << label(w, "summary1").toStdString();
}

TEST_F(AccuracyWindowTest, WheelZoomsBothChartsAndResetRestores)
{
    start();
    click(button("Command1"));
    AccuracyWindow* w = open();
    auto* top = static_cast<QValueAxis*>(view(w, "advanceChart")->chart()->axes(Qt::Horizontal)[0]);
    auto* bottom =
        static_cast<QValueAxis*>(view(w, "deviationChart")->chart()->axes(Qt::Horizontal)[0]);
    const double fullMin = top->min(), fullMax = top->max();
    EXPECT_NEAR(fullMax, 14648.4, 0.1);

    QChartView* v = view(w, "deviationChart");
    const QPointF at = v->chart()->plotArea().center();
    QWheelEvent wheel(at, v->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(v->viewport(), &wheel);
    EXPECT_LT(bottom->max() - bottom->min(), (fullMax - fullMin) * 0.9);
    EXPECT_EQ(top->min(), bottom->min());
    EXPECT_EQ(top->max(), bottom->max());

    QMouseEvent move(QEvent::MouseMove, at, v->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(v->viewport(), &move);
    EXPECT_TRUE(label(w, "reading").contains(QStringLiteral(" об/мин, характеристика ")))
        << label(w, "reading").toStdString();

    click(w->findChild<QPushButton*>(QStringLiteral("resetZoom")));
    EXPECT_EQ(bottom->min(), fullMin);
    EXPECT_EQ(bottom->max(), fullMax);
}

// The data are the batch tool's CSV to the byte; the picture a PNG; a write
// that fails is told and leaves nothing behind.
TEST_F(AccuracyWindowTest, SavesDataAndPictureThroughTheDialog)
{
    start();
    click(button("Command1"));
    AccuracyWindow* w = open();
    const std::string csv = achievedCsv(analyseTable(window->calcState(), window->inputs().values()));

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
    EXPECT_TRUE(readFile("a.png").starts_with("\x89PNG\r\n"));
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_TRUE(boxes.asked[0].text.startsWith(QStringLiteral("Не удалось сохранить файл ")));
    EXPECT_EQ(boxes.asked[0].icon, Icon::Critical);
}

}  // namespace
}  // namespace ign::ui::test
