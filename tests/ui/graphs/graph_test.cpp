#include "support/window_fixture.h"

#include "ui/graphs/editor_graph.h"

#include <QSignalSpy>

namespace ign::ui::test {
namespace {

class Graphs : public WindowTest {
protected:
    // Switches to the calculation by points in the settings panel and
    // redraws, as a tab change does.
    void usePoints()
    {
        chooseByPoints();
        window->DrawCurvesBySelectedMethod();
    }
};

TEST_F(Graphs, GridAndScaleStripsAtStartUp)
{
    start();
    window->pointsEditor();
    // A vertical line every 500 rpm, a horizontal one every 5 degrees, black
    // on the window grey.
    for (int x = 0; x <= 440; x += 20)
        EXPECT_EQ(pixel1(x, 5), kBlack) << x;
    for (int y = 0; y <= 200; y += 20)
        EXPECT_EQ(pixel1(5, y), kBlack) << y;
    EXPECT_EQ(pixel1(10, 10), kBackground);
    EXPECT_EQ(picture(1).drawingSize(), QSize(441, 201));
    EXPECT_EQ(picture(4).drawingSize(), QSize(726, 501));
    // The labels wrote something black on the strips, and nothing else.
    for (int n : {2, 3, 5, 6}) {
        EXPECT_GT(countPixels(n, kBlack), 20) << n;
        EXPECT_EQ(countPixels(n, kBlack) + countPixels(n, kBackground),
                  picture(n).drawingSize().width() * picture(n).drawingSize().height())
            << n;
    }
}

TEST_F(Graphs, PointCurvesWithTheTwoPixelStroke)
{
    start();
    // Characteristic 1 has k degrees at k*1000 rpm, so its first segment runs
    // from (40, 196) to (80, 192); characteristic 2 starts at 0 degrees.
    usePoints();
    EXPECT_EQ(pixel1(40, 196), kGreen);
    EXPECT_EQ(pixel1(40, 195), kGreen);
    EXPECT_EQ(pixel1(80, 192), kGreen);
    EXPECT_EQ(pixel1(80, 191), kGreen);
    EXPECT_EQ(pixel1(50, 197), kBackground);
    EXPECT_EQ(pixel1(40, 200), kYellow);
    EXPECT_EQ(pixel1(40, 199), kYellow);
    // Characteristic 2 reaches 21 degrees at 10000 rpm: y = 116.
    EXPECT_EQ(pixel1(400, 116), kYellow);
    EXPECT_EQ(pixel1(400, 115), kYellow);
}

TEST_F(Graphs, EmptyAndOutOfRangePointsAreClipped)
{
    MainWindow& w = start();
    Inputs in = w.inputs().values();
    for (auto& text : in.text6)
        text.clear();
    in.text6[5] = "50";  // top row
    in.text6[16] = "60";  // above the graph
    w.inputs().assign(in);
    usePoints();
    // Empty fields count as 0: both curves along the bottom row, the second
    // stroke line one row higher; characteristic 2 is drawn over 1.
    EXPECT_EQ(pixel1(330, 200), kYellow);
    EXPECT_EQ(pixel1(330, 199), kYellow);
    EXPECT_EQ(pixel1(330, 198), kBackground);
    EXPECT_EQ(pixel1(200, 0), kGreen);
    EXPECT_EQ(pixel1(201, 1), kBackground);  // the stroke's twin line at -1 is cut off
    EXPECT_GT(countPixels(1, kYellow), 200);
}

TEST_F(Graphs, FormulaThatDividesByZeroOrOverflowsDrawsTheRest)
{
    MainWindow& w = start();
    // c = -n(31) makes the denominator zero at the lowest table speed; a huge
    // a leaves the single range everywhere. Characteristic 2, drawn after,
    // still shows.
    const QString pole = QString::number(-double{w.calcState().entryRpm[31]}, 'g', 17);
    const struct {
        int field;
        QString text;
    } rows[] = {{2, pole}, {0, QStringLiteral("1e39")}};
    for (const auto& row : rows) {
        Inputs in = initialInputs();
        in.text4[static_cast<std::size_t>(row.field)] = row.text.toStdString();
        w.inputs().assign(in);
        w.DrawCurvesByCoefficients();
        EXPECT_GT(countPixels(1, kYellow), 100) << row.text.toStdString();
        EXPECT_EQ(pixel1(100, 5), kBlack);
    }
}

TEST_F(Graphs, EditorCurvesMarkersAndOverlap)
{
    start();
    window->pointsEditor();
    EditorGraph graph(picture(4), picture(5), picture(6));
    EditorPoints points{};
    for (int i = 1; i <= 11; ++i) {
        points[0][static_cast<std::size_t>(i)] = 20;  // y = 300
        points[1][static_cast<std::size_t>(i)] = 40;  // y = 100
    }
    points[0][3] = 40;  // under the blue marker of point 3
    graph.drawCurves(points);
    const RasterSurface& p4 = picture(4);
    // Markers: 7 x 7 outlines around (50 * i, y), the 14000 rpm one at x = 700.
    EXPECT_EQ(p4.pixel(100 - 3, 300 - 3), kRed);
    EXPECT_EQ(p4.pixel(100 + 3, 300 + 3), kRed);
    EXPECT_EQ(p4.pixel(700 + 3, 300 - 3), kRed);
    EXPECT_EQ(p4.pixel(700 - 3, 100 + 3), kBlue);
    EXPECT_EQ(p4.pixel(500 - 3, 100 + 3), kBlue);
    // Same angle: the blue marker is drawn over the red one.
    EXPECT_EQ(p4.pixel(150 - 3, 100 - 3), kBlue);
    EXPECT_EQ(p4.pixel(150 + 3, 100 + 3), kBlue);
    // Curves with their stroke, grid lines every 25 pixels.
    EXPECT_EQ(p4.pixel(312, 300), kGreen);
    EXPECT_EQ(p4.pixel(312, 299), kGreen);
    EXPECT_EQ(p4.pixel(312, 100), kYellow);
    EXPECT_EQ(p4.pixel(10, 25), kBlack);
    EXPECT_EQ(p4.pixel(10, 20), kBackground);
    EXPECT_EQ(p4.pixel(725, 500), kBlack);  // the last visible corner of the grid

    // A redraw starts from a clean picture.
    points[0][3] = 20;
    graph.drawCurves(points);
    EXPECT_EQ(p4.pixel(150 - 3, 300 - 3), kRed);
    EXPECT_EQ(p4.pixel(150 - 3, 100 - 3), kBlue);
    EXPECT_EQ(p4.pixel(150 - 2, 100 - 2), kBackground);
}

TEST_F(Graphs, PictureBoxesReportTheMouseInDrawingAreaPixels)
{
    start();
    RasterSurface& p1 = picture(1);
    QSignalSpy pressed(&p1, &RasterSurface::mousePressed);
    QSignalSpy moved(&p1, &RasterSurface::mouseMoved);
    QSignalSpy released(&p1, &RasterSurface::mouseReleased);
    QSignalSpy doubled(&p1, &RasterSurface::doubleClicked);
    // The sunken border takes two pixels on each side.
    QTest::mousePress(&p1, Qt::RightButton, {}, QPoint(2, 2));
    QTest::mouseMove(&p1, QPoint(442, 202));
    QTest::mouseRelease(&p1, Qt::RightButton, {}, QPoint(442, 202));
    QTest::mouseDClick(&p1, Qt::LeftButton, {}, QPoint(12, 7));
    ASSERT_GE(pressed.count(), 1);
    EXPECT_EQ(pressed.first().at(0).value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(pressed.first().at(2).toPoint(), QPoint(0, 0));
    ASSERT_GE(moved.count(), 1);
    EXPECT_EQ(moved.first().at(1).toPoint(), QPoint(440, 200));
    ASSERT_GE(released.count(), 1);
    EXPECT_EQ(released.first().at(2).toPoint(), QPoint(440, 200));
    ASSERT_EQ(doubled.count(), 1);
    EXPECT_EQ(doubled.first().at(0).toPoint(), QPoint(10, 5));
    // The strips have no border.
    EXPECT_EQ(picture(4).drawingSize() + QSize(4, 4), picture(4).size());
    EXPECT_EQ(picture(2).drawingSize(), picture(2).size());
}

TEST(EditorGraphRedraw, LeavesNoTraceOfEarlierPoints)
{
    // Every redraw of a drag starts from the cached grid; what an earlier
    // pointer position drew must be gone, down to the last pixel.
    const auto surface = [] {
        auto picture = std::make_unique<RasterSurface>(QSize(730, 505), true);
        picture->setBackground(QColor(191, 191, 191));
        return picture;
    };
    const auto dragged = surface(), fresh = surface(), strip1 = surface(), strip2 = surface();
    EditorPoints points{};
    for (std::size_t i = 0; i < 15; ++i)
        points[0][i] = points[1][i] = static_cast<float>(i);
    EditorGraph drag(*dragged, *strip1, *strip2);
    drag.drawGrid();
    for (int run = 0; run < 60; ++run) {
        points[0][5] = static_cast<float>(run % 50);
        points[1][11] = static_cast<float>(-run);
        drag.drawCurves(points);
    }
    EditorGraph once(*fresh, *strip1, *strip2);
    once.drawCurves(points);
    EXPECT_EQ(dragged->image(), fresh->image());
}

}  // namespace
}  // namespace ign::ui::test
