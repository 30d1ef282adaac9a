// A line chart of its own on QPainter: value axes with round ticks, lines in
// a colour and a pen style each, straight marks across the plot (a zero line,
// a speed limit), and a legend on the right naming both. The x range zooms
// with the mouse wheel around the pointer, never past the full range, and the
// values under the pointer are reported.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

#include "ui/graphs/plot_axis.h"

namespace ign::ui {

struct PlotRange {
    double low = 0;
    double high = 1;
    bool operator==(const PlotRange&) const = default;
};

struct PlotLine {
    QString name;  // the legend entry; none when empty
    QColor colour;
    Qt::PenStyle style = Qt::SolidLine;
    // In the order they are joined; a point whose y is not finite breaks the
    // line, so an undefined stretch stays empty instead of being bridged.
    std::vector<QPointF> points;
};

// A straight line across the whole plot: at x = `at` when Qt::Vertical, at
// y = `at` when Qt::Horizontal.
struct PlotMark {
    Qt::Orientation orientation = Qt::Vertical;
    double at = 0;
    QString name;
    QColor colour;
    Qt::PenStyle style = Qt::SolidLine;
};

class PlotWidget final : public QWidget {
    Q_OBJECT
public:
    PlotWidget(const QString& xTitle, const QString& yTitle, QWidget* parent = nullptr);

    // Lines are drawn in the order they were added, the later over the
    // earlier, then the marks; the legend lists them in the same order.
    void clear();
    void addLine(PlotLine line);
    void addMark(PlotMark mark);

    // The range the wheel zooms within, shown whole at once.
    void setFullXRange(PlotRange range);
    PlotRange fullXRange() const { return fullX_; }
    // Kept inside the full range; tells xRangeChanged when it changes.
    void setXRange(PlotRange range);
    PlotRange xRange() const { return x_; }
    void setYRange(PlotRange range);
    PlotRange yRange() const { return y_; }
    void setDecimalSeparator(char separator);

    // Where the lines are drawn, in widget pixels, and the mapping both ways.
    QRect plotArea() const;
    QPointF toPixel(QPointF value) const;
    QPointF toValue(QPointF pixel) const;

    // The room the axis labels need on the left and the legend on the right.
    // Charts stacked over one another take the widest of each, so one x value
    // stands at the same place on all of them.
    int neededLeft() const;
    int neededRight() const;
    void setSideWidths(int left, int right);

signals:
    void xRangeChanged(ign::ui::PlotRange range);
    // The room the sides need has changed (new labels, a new height).
    void sidesChanged();
    // The pointer moved over the plot area, at these values.
    void pointed(double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    struct Legend {
        QString name;
        QColor colour;
        Qt::PenStyle style;
    };
    std::vector<Legend> legend() const;
    // The plot's height does not depend on the sides, which depend on the
    // angle labels, which depend on the height.
    int plotTop() const;
    int plotHeight() const;
    AxisTicks xTicks() const;
    AxisTicks yTicks() const;
    QString label(double value, const AxisTicks& ticks) const;
    // Tells sidesChanged when the room the sides need is not what was last told.
    void checkSides();
    void drawAxes(QPainter& painter, const QRect& area) const;
    void drawLines(QPainter& painter, const QRect& area) const;
    void drawLegend(QPainter& painter, const QRect& area) const;

    QString xTitle_;
    QString yTitle_;
    std::vector<PlotLine> lines_;
    std::vector<PlotMark> marks_;
    PlotRange fullX_;
    PlotRange x_;
    PlotRange y_;
    char separator_ = '.';
    int left_ = 0;  // 0: what this chart needs on its own
    int right_ = 0;
    int toldLeft_ = -1;
    int toldRight_ = -1;
};

}  // namespace ign::ui
