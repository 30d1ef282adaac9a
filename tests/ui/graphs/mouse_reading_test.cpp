#include "support/mouse_fixture.h"

#include "ui/graphs/graph_reading.h"

namespace ign::ui::test {
namespace {

class MouseReading : public MouseTest {
protected:
    QPoint firstPixel(int pictureNumber, Rgb colour) const
    {
        const RasterSurface& s = picture(pictureNumber);
        for (int y = 0; y < s.drawingSize().height(); ++y)
            for (int x = 0; x < s.drawingSize().width(); ++x)
                if (s.pixel(x, y) == colour)
                    return {x, y};
        return {-1, -1};
    }
};

TEST_F(MouseReading, LeftDragShowsTheBoxOnlyOverTheGraph)
{
    start();
    ReadingBox* text3 = box("Text3");
    move(1, Qt::NoButton, 40, 100);
    // Hovering writes the reading but shows nothing.
    EXPECT_EQ(text3->toPlainText(), QStringLiteral("n = 1000\na = 25.0"));
    EXPECT_FALSE(text3->isVisible());

    press(1, Qt::LeftButton, 40, 100);
    EXPECT_TRUE(text3->isVisible());
    EXPECT_EQ(pointer(), Qt::CrossCursor);

    const struct {
        int x, y;
        bool shown;
        const char* reading;
    } rows[] = {
        {440, 0, true, "n = 11000\na = 50.0"},  {441, 0, false, "n = 11025\na = 50.0"},
        {0, 1, true, "n = 0\na = 49.8"},  // 49.75, halves away from zero
        {0, 200, true, "n = 0\na = 0.0"},       {0, 201, false, "n = 0\na = -0.3"},
        {-1, 100, false, "n = -25\na = 25.0"},  {220, -1, false, "n = 5500\na = 50.3"},
        {440, 200, true, "n = 11000\na = 0.0"},
    };
    for (const auto& row : rows) {
        move(1, Qt::LeftButton, row.x, row.y);
        EXPECT_EQ(text3->isVisible(), row.shown) << row.x << "," << row.y;
        EXPECT_EQ(pointer(), row.shown ? Qt::CrossCursor : Qt::ArrowCursor)
            << row.x << "," << row.y;
        EXPECT_EQ(text3->toPlainText(), QString::fromUtf8(row.reading));
        // Just right of and below the pointer, which stands at (54 + x, 46 + y)
        // on the window.
        EXPECT_EQ(picture(1).mapTo(text3->parentWidget(), at(picture(1), row.x, row.y)),
                  QPoint(54 + row.x, 46 + row.y));
        EXPECT_EQ(text3->pos(), QPoint(row.x + 60, row.y + 60));
    }
    release(1, Qt::LeftButton, 440, 0);
    EXPECT_FALSE(text3->isVisible());
    EXPECT_EQ(pointer(), Qt::ArrowCursor);
}

TEST_F(MouseReading, OtherButtonsNeverHideTheBox)
{
    start();
    ReadingBox* text3 = box("Text3");
    press(1, Qt::RightButton, 100, 100);
    EXPECT_TRUE(text3->isVisible());
    EXPECT_EQ(pointer(), Qt::CrossCursor);
    // Off the graph with the right button, then with both buttons: only the
    // left button alone runs the range test.
    move(1, Qt::RightButton, 600, 300);
    EXPECT_TRUE(text3->isVisible());
    move(1, Qt::LeftButton | Qt::RightButton, -50, 300);
    EXPECT_TRUE(text3->isVisible());
    EXPECT_EQ(text3->toPlainText(), QStringLiteral("n = -1250\na = -25.0"));
    EXPECT_EQ(pointer(), Qt::CrossCursor);
    release(1, Qt::RightButton, -50, 300);
    EXPECT_FALSE(text3->isVisible());
    EXPECT_EQ(pointer(), Qt::ArrowCursor);
}

// Rows of the box's page that hold text pixels, as the bands of the lines
// drawn there; a line cut off shows as a missing band.
std::vector<std::pair<int, int>> textBands(ReadingBox& b)
{
    const QImage image = b.grab(b.contentsRect()).toImage();
    const QRgb paper = image.pixel(0, 0);
    std::vector<std::pair<int, int>> bands;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x)
            ink = image.pixel(x, y) != paper;
        if (!ink)
            continue;
        if (!bands.empty() && bands.back().second == y - 1)
            bands.back().second = y;
        else
            bands.push_back({y, y});
    }
    return bands;
}

void expectBothLinesInside(ReadingBox& b, const char* where)
{
    const QRectF inside(b.contentsRect());
    const std::vector<QRectF> lines = b.lineRects();
    ASSERT_EQ(lines.size(), 2u) << where;
    for (const QRectF& line : lines)
        EXPECT_TRUE(inside.contains(line)) << where;
    EXPECT_EQ(textBands(b).size(), 2u) << where;
}

TEST_F(MouseReading, BoxesShowBothLinesAboveEveryControl)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    MainWindow& w = start();
    ReadingBox* text3 = box("Text3");
    // At the graph's right edge the box reaches over the tab strip.
    press(1, Qt::LeftButton, 440, 0);
    move(1, Qt::LeftButton, 440, 0);
    ASSERT_TRUE(text3->isVisible());
    const QPoint centre = text3->parentWidget()->mapTo(&w, text3->geometry().center());
    QWidget* top = w.childAt(centre);
    EXPECT_TRUE(top == text3 || text3->isAncestorOf(top))
        << (top ? top->objectName().toStdString() : "nothing");
    expectBothLinesInside(*text3, "Text3 at the edge");
    // The widest readings a held button gives off the graph.
    move(1, Qt::LeftButton, -400, 300);
    EXPECT_EQ(text3->toPlainText(), QStringLiteral("n = -10000\na = -25,0"));
    expectBothLinesInside(*text3, "Text3 far off");
    release(1, Qt::LeftButton, -400, 300);

    openEditor();
    ReadingBox* text7 = box("Text7");
    press(4, Qt::LeftButton, 550, 500);
    move(4, Qt::LeftButton, 550, 625);
    EXPECT_EQ(text7->toPlainText(), QStringLiteral("n = 11000\na = -12,5"));
    expectBothLinesInside(*text7, "Text7");
    release(4, Qt::LeftButton, 550, 625);
}

TEST_F(MouseReading, CommaLocaleWritesTheCommaInBothBoxes)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    start();
    move(1, Qt::NoButton, 440, 0);
    EXPECT_EQ(box("Text3")->toPlainText(), QStringLiteral("n = 11000\na = 50,0"));
    move(1, Qt::NoButton, 0, 1);
    EXPECT_EQ(box("Text3")->toPlainText(), QStringLiteral("n = 0\na = 49,8"));
    openEditor();
    move(4, Qt::NoButton, 725, 495);
    EXPECT_EQ(box("Text7")->toPlainText(), QStringLiteral("n = 14500\na = 0,5"));
}

TEST_F(MouseReading, TextColourFollowsThePixelUnderThePointer)
{
    start();
    // The computed tables in red and blue on the main graph; the wanted
    // curves and their markers on the editor graph.
    click(button("Command1"));
    openEditor();
    const struct {
        int picture;
        const char* box;
        Rgb pixel;
        QColor text;
    } rows[] = {
        {1, "Text3", kRed, Qt::red},
        {1, "Text3", kBlue, Qt::blue},
        {1, "Text3", kBlack, Qt::black},
        {1, "Text3", kBackground, Qt::black},
        {4, "Text7", kRed, Qt::red},
        {4, "Text7", kBlue, Qt::blue},
        {4, "Text7", kGreen, QColor(0, 255, 0)},
        {4, "Text7", kYellow, Qt::yellow},
        {4, "Text7", kBlack, Qt::black},
        {4, "Text7", kBackground, Qt::black},
    };
    for (const auto& row : rows) {
        const QPoint where = firstPixel(row.picture, row.pixel);
        ASSERT_GE(where.x(), 0) << testing::PrintToString(row.pixel);
        // Come from a pixel of another colour, so every row sets its own.
        const QPoint before = firstPixel(row.picture, row.pixel == kRed ? kBackground : kRed);
        move(row.picture, Qt::NoButton, before.x(), before.y());
        move(row.picture, Qt::NoButton, where.x(), where.y());
        EXPECT_EQ(textColour(box(row.box)), row.text)
            << row.box << " over " << testing::PrintToString(row.pixel);
    }
    // Outside the drawing area nothing matches a curve.
    move(4, Qt::NoButton, 50, 505);
    EXPECT_EQ(textColour(box("Text7")), QColor(Qt::black));
}

TEST_F(MouseReading, MainGraphShowsYellowCurvesInOrange)
{
    start();
    chooseByPoints();
    window->DrawCurvesBySelectedMethod();
    // Characteristic 2 starts at 0 degrees at 1000 rpm, characteristic 1 at
    // 1 degree.
    ASSERT_EQ(pixel1(40, 200), kYellow);
    move(1, Qt::NoButton, 40, 200);
    EXPECT_EQ(textColour(box("Text3")), QColor(255, 128, 0));
    move(1, Qt::NoButton, 40, 196);
    EXPECT_EQ(textColour(box("Text3")), QColor(0, 255, 0));
    move(1, Qt::NoButton, 41, 190);
    EXPECT_EQ(textColour(box("Text3")), QColor(Qt::black));
}

}  // namespace
}  // namespace ign::ui::test
