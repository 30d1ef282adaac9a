// A picture box: a raster image in logical pixels that keeps what is drawn on
// it until it is cleared. Curves are recognised later by the exact colour of a
// pixel, so lines are drawn one pixel wide without antialiasing.
#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>

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
        void text(int x, int y, const QString& text);
        // Replaces the whole picture, e.g. by a cached background.
        void blit(const QImage& image);

    private:
        RasterSurface& surface_;
        QPainter painter_;
    };

    QSize drawingSize() const { return image_.size(); }
    const QImage& image() const { return image_; }
    // Colours outside the drawing area read as the background.
    Rgb pixel(int x, int y) const;

    QColor background() const { return background_; }
    void setBackground(QColor colour);
    // The font scale labels are written in.
    void setLabelFont(const QFont& font) { labelFont_ = font; }

signals:
    // Positions are in drawing-area pixels; while a button is held the moves
    // keep coming also outside the surface.
    void mousePressed(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void mouseMoved(Qt::MouseButtons buttons, QPoint pos);
    void mouseReleased(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void doubleClicked(QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPoint toDrawingArea(QPointF widgetPos) const;
    int border() const { return sunkenBorder_ ? 2 : 0; }

    QImage image_;
    QColor background_{Qt::white};
    QFont labelFont_;
    bool sunkenBorder_;
};

}  // namespace ign::ui
