#include "support/mouse_fixture.h"

#include <QFrame>
#include <QPaintEvent>

#include <algorithm>

#include "ui/graphs/editor_graph.h"
#include "ui/graphs/points_editor.h"

namespace ign::ui::test {
namespace {

class PointsEditorTest : public MouseTest {
protected:
    const PointsEditor& editor() const { return window->pointsEditor(); }
    QFrame* frame6() const { return find<QFrame>(QStringLiteral("Frame6")); }
    std::array<std::string, 24> fields() const { return window->inputs().values().text6; }
};

TEST_F(PointsEditorTest, DoubleClickLoadsBothCharacteristicsByTheNumberRule)
{
    start();
    setText6(2, "21,5");  // the comma ends the number
    setText6(22, "");  // no number: 0
    setText6(14, " 3 5");  // inner blanks are skipped
    setText6(23, "7.25abc");
    EXPECT_EQ(window->findChild<QFrame*>(QStringLiteral("Frame6")), nullptr);
    openEditor();
    EXPECT_TRUE(frame6()->isVisible());
    EXPECT_EQ(editorPoint(0, 1), 1.0f);
    EXPECT_EQ(editorPoint(0, 2), 21.0f);
    EXPECT_EQ(editorPoint(0, 11), 0.0f);
    EXPECT_EQ(editorPoint(1, 1), 0.0f);
    EXPECT_EQ(editorPoint(1, 3), 35.0f);
    EXPECT_EQ(editorPoint(1, 10), 21.0f);
    EXPECT_EQ(editorPoint(1, 11), 7.25f);
    // Drawn at once: the marker of point 2 of characteristic 1 around
    // (100, 290), the 14000 rpm point of characteristic 2 around (700, 428).
    EXPECT_EQ(picture(4).pixel(97, 287), kRed);
    EXPECT_EQ(picture(4).pixel(703, 425), kBlue);
}

TEST_F(PointsEditorTest, TheTopPointIsPickedAcrossItsMarkerAndBecomesPoint11)
{
    start();
    setText6(22, "30");  // marker outline from (697, 197) to (703, 203)
    for (int x : {697, 703}) {
        openEditor();
        press(4, Qt::LeftButton, x, 199);
        EXPECT_TRUE(editor().drag().active(0)) << x;
        EXPECT_FALSE(editor().drag().active(1));
        EXPECT_EQ(editor().drag().pointIndex(), 14);
        EXPECT_EQ(pointer(), Qt::CrossCursor);
        move(4, Qt::LeftButton, x, 250);
        EXPECT_EQ(editor().drag().pointIndex(), 11);
        EXPECT_EQ(editorPoint(0, 11), 25.0f);
        // Redrawn on the move: the marker now stands around y = 250.
        EXPECT_EQ(picture(4).pixel(697, 247), kRed);
        EXPECT_NE(picture(4).pixel(697, 197), kRed);
        release(4, Qt::LeftButton, x, 250);
        EXPECT_FALSE(editor().drag().active(0));
        EXPECT_EQ(pointer(), Qt::ArrowCursor);
        // Moves after the release change nothing.
        move(4, Qt::NoButton, x, 100);
        EXPECT_EQ(editorPoint(0, 11), 25.0f);
        click(button("Command7"));
    }
    EXPECT_EQ(text6(22), QStringLiteral("30"));
}

TEST_F(PointsEditorTest, OnlyTheOutlineOfAMarkerPicksIt)
{
    start();
    openEditor();
    // Point 5 of characteristic 1 stands at 5 degrees: (250, 450).
    for (const QPoint p :
         {QPoint(250, 450), QPoint(252, 452), QPoint(260, 440), QPoint(250, 475)}) {
        press(4, Qt::LeftButton, p.x(), p.y());
        move(4, Qt::LeftButton, p.x(), 100);
        release(4, Qt::LeftButton, p.x(), 100);
        EXPECT_EQ(editorPoint(0, 5), 5.0f) << p.x() << "," << p.y();
    }
    drag(253, 447, 100);
    EXPECT_EQ(editorPoint(0, 5), 40.0f);
}

TEST_F(PointsEditorTest, EveryMoveOfADragSetsTheAngleAndText7Follows)
{
    start();
    openEditor();
    ReadingBox* text7 = box("Text7");
    EXPECT_FALSE(text7->isVisible());
    // Point 3 of characteristic 2 stands at 14 degrees: (150, 360).
    press(4, Qt::LeftButton, 147, 360);
    EXPECT_TRUE(editor().drag().active(1));
    EXPECT_TRUE(text7->isVisible());
    const struct {
        int y;
        float angle;
        const char* reading;
    } rows[] = {
        {369, 13.1f, "n = 3000\na = 13.1"},
        {-20, 52.0f, "n = 3000\na = 52.0"},  // above the graph: kept
        {520, -2.0f, "n = 3000\na = -2.0"},  // below it: kept
        {495, 0.5f, "n = 3000\na = 0.5"},
        {0, 50.0f, "n = 3000\na = 50.0"},
    };
    for (const auto& row : rows) {
        move(4, Qt::LeftButton, 150, row.y);
        EXPECT_EQ(editorPoint(1, 3), row.angle) << row.y;
        EXPECT_EQ(text7->toPlainText(), QString::fromUtf8(row.reading));
        // Inside the editor graph, 15 right of and 14 below the pointer.
        EXPECT_EQ(text7->pos(), at(picture(4), 150 + 15, row.y + 14));
        EXPECT_EQ(editorPoint(0, 3), 3.0f);
    }
    // The point at 50 degrees has its marker on the top edge.
    EXPECT_EQ(picture(4).pixel(147, 3), kBlue);
    release(4, Qt::LeftButton, 150, 0);
    EXPECT_FALSE(text7->isVisible());
    EXPECT_FALSE(editor().drag().active(1));
}

TEST_F(PointsEditorTest, TheScreenShowsTheDraggedPictureAroundTheReadingBox)
{
    start();
    openEditor();
    drag(253, 447, 100);
    press(4, Qt::RightButton, 400, 200);
    move(4, Qt::RightButton, 240, 80);
    ReadingBox* text7 = box("Text7");
    ASSERT_TRUE(text7->isVisible());
    // The picture box is painted piece by piece around the box it carries.
    const QImage screen = picture(4).grab().toImage();
    const QImage& picture4 = picture(4).image();
    for (int y = 0; y < picture4.height(); y += 3) {
        for (int x = 0; x < picture4.width(); x += 3) {
            const QPoint p = at(picture(4), x, y);
            if (text7->geometry().contains(p))
                continue;
            ASSERT_EQ(screen.pixel(p) & 0xFFFFFF, picture4.pixel(x, y) & 0xFFFFFF) << x << "," << y;
        }
    }
    EXPECT_EQ(screen.pixel(at(picture(4), 247, 97)) & 0xFFFFFF, 0xFF0000u);
    // The box itself covers the picture.
    const QPoint inBox = text7->geometry().bottomRight() - QPoint(4, 4);
    const QPoint under = inBox - at(picture(4), 0, 0);
    EXPECT_NE(screen.pixel(inBox) & 0xFFFFFF, picture4.pixel(under) & 0xFFFFFF);
    release(4, Qt::RightButton, 240, 80);
}

// Collects what a widget repaints.
class PaintedRegion : public QObject {
public:
    QRegion region;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(PointsEditorTest, ADragRedrawsOnlyAroundThePointYetGivesTheWholePicture)
{
    start();
    // Distinct markers to press on: characteristic 1 at 10 + 2i degrees,
    // characteristic 2 at 30 + i.
    const auto angle = [](int ch, int i) { return ch == 0 ? 10 + 2 * i : 30 + i; };
    for (int i = 1; i <= 11; ++i) {
        for (int ch = 0; ch < 2; ++ch)
            setText6(i == 11 ? 22 + ch : i + 11 * ch, std::to_string(angle(ch, i)).c_str());
    }
    openEditor();
    RasterSurface& p4 = picture(4);
    const ReadingBox* text7 = box("Text7");
    PaintedRegion painted;
    p4.installEventFilter(&painted);
    EditorGraph whole(p4, picture(5), picture(6));
    const auto y = [](int degrees) { return 500 - 10 * degrees; };
    for (int ch = 0; ch < 2; ++ch) {
        for (int i = 1; i <= 11; ++i) {
            const int x = i == 11 ? 700 : 50 * i;
            const int start = y(angle(ch, i));
            press(4, Qt::LeftButton, x - 3, start - 3);
            ASSERT_TRUE(editor().drag().active(ch)) << ch << " " << i;
            const int other = y(angle(1 - ch, i));
            const int neighbour = y(angle(ch, i == 1 ? 2 : i - 1));
            // On the other characteristic's marker and half over it, on the
            // neighbour's height, the edges, off the graph and far off it.
            for (int to : {other, other + 2, other - 5, neighbour, 0, -3, 500, 503, -40, 560,
                           -100000, 100000, start}) {
                const QImage before = p4.image();
                painted.region = {};
                move(4, Qt::LeftButton, x, to);
                QApplication::processEvents();
                const QImage partial = p4.image();
                const QRegion repainted = painted.region;
                whole.select(editor().selected());
                whole.drawCurves(editor().points());
                ASSERT_EQ(partial, p4.image()) << ch << " " << i << " to " << to;
                // The whole repaint this asks for must not hide the next move's.
                QApplication::processEvents();
                for (int py = 0; py < partial.height(); ++py) {
                    const auto* now = reinterpret_cast<const QRgb*>(partial.constScanLine(py));
                    const auto* was = reinterpret_cast<const QRgb*>(before.constScanLine(py));
                    if (std::equal(now, now + partial.width(), was))
                        continue;
                    for (int px = 0; px < partial.width(); ++px) {
                        if (now[px] == was[px])
                            continue;
                        // The reading box covers what lies under it.
                        const QPoint p = at(p4, px, py);
                        if (!text7->geometry().contains(p)) {
                            ASSERT_TRUE(repainted.contains(p))
                                << px << "," << py << " not repainted";
                        }
                    }
                }
            }
            release(4, Qt::LeftButton, x, start);
        }
    }
}

TEST_F(PointsEditorTest, EachDragIsAStepThatKeysTakeBackAndRedo)
{
    start();
    openEditor();
    QAction* undo = action("undo");
    RasterSurface& graph = picture(4);
    drag(247, 447, 300);  // point 5 of characteristic 1, 5 to 20 degrees
    // One drag, however many moves: 20 to 30 degrees by way of 15.
    press(4, Qt::LeftButton, 247, 297);
    move(4, Qt::LeftButton, 247, 350);
    move(4, Qt::LeftButton, 247, 200);
    release(4, Qt::LeftButton, 247, 200);
    EXPECT_EQ(undo->text(), QStringLiteral("Отменить: Перемещение точки"));
    const struct {
        QKeyCombination keys;
        float angle;
    } rows[] = {
        {Qt::CTRL | Qt::Key_Z, 20.0f}, {Qt::CTRL | Qt::Key_Z, 5.0f},
        {Qt::CTRL | Qt::Key_Y, 20.0f}, {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, 30.0f},
        {Qt::CTRL | Qt::Key_Z, 20.0f},
    };
    for (const auto& row : rows) {
        QTest::keyClick(&graph, row.keys.key(), row.keys.keyboardModifiers());
        EXPECT_EQ(editorPoint(0, 5), row.angle);
        // Redrawn: the marker's outline stands at the angle.
        EXPECT_EQ(graph.pixel(247, int(500 - 10 * row.angle) - 3), kRed) << row.angle;
    }
    EXPECT_TRUE(undo->isEnabled());
    // Apply ends the editor's history; the menu then takes back the Apply.
    click(button("Command8"));
    EXPECT_EQ(text6(5), QStringLiteral(" 20"));
    EXPECT_EQ(undo->text(), QStringLiteral("Отменить: Редактор точек"));
    openEditor();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(action("redo")->isEnabled());
}

TEST_F(PointsEditorTest, KeysSelectAPointAndMoveItInMergedSteps)
{
    start();
    openEditor();
    RasterSurface& graph = picture(4);
    ReadingBox* text7 = box("Text7");
    // A click on the marker of point 5 of characteristic 1 selects it and
    // fills it; the next marker stays hollow. A click is no step.
    press(4, Qt::LeftButton, 247, 447);
    release(4, Qt::LeftButton, 247, 447);
    EXPECT_EQ(graph.pixel(252, 452), kRed);
    EXPECT_NE(graph.pixel(302, 442), kRed);
    EXPECT_FALSE(action("undo")->isEnabled());
    const struct {
        Qt::Key key;
        float angle;
        const char* reading;
    } rows[] = {
        {Qt::Key_Up, 5.1f, "n = 5000\na = 5.1"},       {Qt::Key_Up, 5.2f, "n = 5000\na = 5.2"},
        {Qt::Key_PageUp, 6.2f, "n = 5000\na = 6.2"},   {Qt::Key_Down, 6.1f, "n = 5000\na = 6.1"},
        {Qt::Key_PageDown, 5.1f, "n = 5000\na = 5.1"},
    };
    for (const auto& row : rows) {
        QTest::keyClick(&graph, row.key);
        EXPECT_EQ(editorPoint(0, 5), row.angle);
        EXPECT_TRUE(text7->isVisible());
        EXPECT_EQ(text7->toPlainText(), QString::fromUtf8(row.reading));
    }
    // Tab goes on to the next point and Shift+Tab back; each point's moves
    // are a step of their own.
    QTest::keyClick(&graph, Qt::Key_Tab);
    EXPECT_EQ(text7->toPlainText(), QStringLiteral("n = 6000\na = 6.0"));
    EXPECT_EQ(graph.pixel(302, 442), kRed);
    QTest::keyClick(&graph, Qt::Key_Up);
    QTest::keyClick(&graph, Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(&graph, Qt::Key_Up);
    EXPECT_EQ(editorPoint(0, 5), 5.2f);
    EXPECT_EQ(editorPoint(0, 6), 6.1f);
    for (float five : {5.1f, 5.1f, 5.0f}) {
        QTest::keyClick(&graph, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(editorPoint(0, 5), five);
    }
    EXPECT_EQ(editorPoint(0, 6), 6.0f);
    EXPECT_FALSE(action("undo")->isEnabled());
}

TEST_F(PointsEditorTest, OnlyALeftPressStartsADragButAnyPressShowsText7)
{
    start();
    openEditor();
    ReadingBox* text7 = box("Text7");
    // The blue marker of point 4 of characteristic 2 at 15 degrees: (200, 350).
    ASSERT_EQ(picture(4).pixel(197, 347), kBlue);
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        press(4, button, 197, 347);
        EXPECT_TRUE(text7->isVisible());
        EXPECT_FALSE(editor().drag().active(0) || editor().drag().active(1));
        EXPECT_NE(pointer(), Qt::CrossCursor);
        move(4, button, 197, 100);
        EXPECT_EQ(editorPoint(1, 4), 15.0f);
        release(4, button, 197, 100);
        EXPECT_FALSE(text7->isVisible());
    }
    // A press that hits nothing still shows the box.
    press(4, Qt::LeftButton, 10, 10);
    EXPECT_TRUE(text7->isVisible());
    EXPECT_FALSE(editor().drag().active(0) || editor().drag().active(1));
    release(4, Qt::LeftButton, 10, 10);
}

TEST_F(PointsEditorTest, AnyReleaseEndsTheDrag)
{
    start();
    openEditor();
    press(4, Qt::LeftButton, 197, 347);
    ASSERT_TRUE(editor().drag().active(1));
    // A second button let go while the left one is still held.
    QTest::mousePress(&picture(4), Qt::RightButton, {}, at(picture(4), 200, 300));
    release(4, Qt::RightButton, 200, 300);
    EXPECT_FALSE(editor().drag().active(1));
    move(4, Qt::LeftButton, 200, 100);
    EXPECT_EQ(editorPoint(1, 4), 15.0f);
}

TEST_F(PointsEditorTest, WhereMarkersOverlapCharacteristic2IsPicked)
{
    start();
    setText6(3, "20");
    setText6(14, "20");
    openEditor();
    drag(147, 297, 100);
    EXPECT_EQ(editorPoint(1, 3), 40.0f);
    EXPECT_EQ(editorPoint(0, 3), 20.0f);
    // Now the red marker is bare and can be picked itself.
    drag(153, 303, 400);
    EXPECT_EQ(editorPoint(0, 3), 10.0f);
    EXPECT_EQ(editorPoint(1, 3), 40.0f);
}

TEST_F(PointsEditorTest, ApplyRewritesAll22FieldsAndDrawsThePointCurves)
{
    start();
    // Calculated and saved: Apply must not mark the results unsaved.
    click(button("Command1"));
    click(button("Command2"));
    ASSERT_FALSE(window->calcState().resultsUnsaved);
    const QString listing = find<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText();
    setText6(0, "7x");
    setText6(11, "y");
    setText6(1, "20");
    setText6(2, "21,5");
    setText6(3, "");
    setText6(12, "0.5");
    setText6(13, "-2.0");
    setText6(23, "1e1");
    openEditor();
    // Dragged: point 6 of characteristic 1 down to -2 and point 7 up to 52.
    drag(297, 440, 520);
    drag(347, 430, -20);
    click(button("Command8"));
    EXPECT_FALSE(frame6()->isVisible());

    std::array<std::string, 24> expected = {"7x",  " 20", " 21", " 0",  " 4",  " 5",  "-2",  " 52",
                                            " 8",  " 9",  " 10", "y",   " .5", "-2",  " 14", " 15",
                                            " 16", " 17", " 18", " 19", " 20", " 21", " 10", " 10"};
    EXPECT_EQ(fields(), expected);
    EXPECT_FALSE(window->calcState().resultsUnsaved);
    EXPECT_EQ(find<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText(), listing);
    // The coefficient method is selected, yet the point curves are drawn:
    // 20 degrees at 1000 rpm, 0.5 degrees (y = 198) for characteristic 2.
    ASSERT_TRUE(window->inputs().byCoefficients());
    EXPECT_EQ(pixel1(40, 120), kGreen);
    EXPECT_EQ(pixel1(40, 198), kYellow);
    EXPECT_EQ(countPixels(1, kRed), 0);
}

TEST_F(PointsEditorTest, CancelDropsTheDragAndReopeningReadsTheFields)
{
    start();
    const auto before = fields();
    openEditor();
    drag(97, 480, 100);  // point 2 of characteristic 1, 2 degrees
    ASSERT_EQ(editorPoint(0, 2), 40.0f);
    const QImage mainGraph = picture(1).image();
    click(button("Command7"));
    EXPECT_FALSE(frame6()->isVisible());
    EXPECT_EQ(fields(), before);
    EXPECT_EQ(picture(1).image(), mainGraph);
    openEditor();
    EXPECT_EQ(editorPoint(0, 2), 2.0f);
    EXPECT_EQ(picture(4).pixel(97, 477), kRed);
}

TEST_F(PointsEditorTest, APresetLoadedWhileOpenIsOverwrittenByApply)
{
    start();
    openEditor();
    action("ij")->trigger();
    const auto preset = fields();
    ASSERT_NE(preset[1], "1");
    EXPECT_EQ(editorPoint(0, 1), 1.0f);
    click(button("Command8"));
    const auto applied = fields();
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(applied[static_cast<std::size_t>(i)], " " + std::to_string(i)) << i;
    EXPECT_EQ(applied[22], " 10");
    EXPECT_EQ(applied[0], preset[0]);
}

}  // namespace
}  // namespace ign::ui::test
