// A picture box: a raster image in logical pixels that keeps what is drawn on
// it until it is cleared. Curves are recognised later by the exact colour of a
// pixel, so lines are drawn one pixel wide without antialiasing.
#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <optional>

#include "model/curves.h"

namespace ign::ui {

class RasterSurface : public QWidget {
    Q_OBJECT

public:
    // `outerSize` includes the border; the drawing area is 4 pixels smaller
    // each way when `sunkenBorder` is set.
    RasterSurface(QSize outerSize, bool sunkenBorder, QWidget* parent = nullptr);

    // Everything drawn through one Canvas shares one painter, so a whole
    // picture costs one painter set-up; the widget repaints when it ends.
    class Canvas {
    public:
        explicit Canvas(RasterSurface& surface);
        // Draws only inside `area` and repaints only that part of the widget.
        Canvas(RasterSurface& surface, const QRect& area);
        ~Canvas();
        Canvas(const Canvas&) = delete;
        Canvas& operator=(const Canvas&) = delete;

        void clear();
        // Both end points are drawn. Coordinates far outside the surface are
        // cut back first, so a huge value never overflows the pixel grid.
        void line(double x1, double y1, double x2, double y2, Rgb colour);
        // A curve segment is stroked twice, the second time one pixel higher,
        // which makes curves two pixels thick while the grid stays one.
        void stroke(const Segment& segment);
        void box(int x1, int y1, int x2, int y2, Rgb colour);
        // The same box filled with its colour.
        void filledBox(int x1, int y1, int x2, int y2, Rgb colour);
        void text(int x, int y, const QString& text);
        // Replaces the picture, e.g. by a cached background, where this
        // canvas draws.
        void blit(const QImage& image);

    private:
        // The pen is set only when the colour changes: setting it costs more
        // than a short line.
        void usePen(Rgb colour);

        RasterSurface& surface_;
        QPainter painter_;
        QRect area_;
        std::optional<Rgb> pen_;
    };

    QSize drawingSize() const { return image_.size(); }
    const QImage& image() const { return image_; }
    // Colours outside the drawing area read as the background.
    Rgb pixel(int x, int y) const;

    QColor background() const { return background_; }
    void setBackground(QColor colour);
    // The font scale labels are written in.
    void setLabelFont(const QFont& font) { labelFont_ = font; }
    // Takes the keyboard focus on a click or Tab and keeps every key it gets,
    // Tab and Shift+Tab included, reporting them by keyPressed.
    void takeKeys();

signals:
    // Positions are in drawing-area pixels; while a button is held the moves
    // keep coming also outside the surface.
    void mousePressed(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void mouseMoved(Qt::MouseButtons buttons, QPoint pos);
    void mouseReleased(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void doubleClicked(QPoint pos);
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QPoint toDrawingArea(QPointF widgetPos) const;
    int border() const { return sunkenBorder_ ? 2 : 0; }

    QImage image_;
    QColor background_{Qt::white};
    QFont labelFont_;
    bool sunkenBorder_;
    bool takesKeys_ = false;
};

}  // namespace ign::ui
