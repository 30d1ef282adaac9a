#include "ui/graphs/graph_reading.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>

#include "model/numbers.h"
#include "ui/graphs/raster_surface.h"
#include "ui/graphs/reading_box.h"
#include "ui/graphs/rgb_colour.h"
#include "ui/platform/decimal_separator.h"

namespace ign::ui {
namespace {

// Sized from the box's own font for the widest reading a held button can
// give once the pointer has left the graph (a five-digit speed and a
// three-digit angle, either negative), so neither line is cut.
void fitToWidestReading(ReadingBox& box)
{
    const QFontMetrics metrics(box.font());
    QChar widestDigit = QLatin1Char('0');
    for (char d = '1'; d <= '9'; ++d)
        if (metrics.horizontalAdvance(QLatin1Char(d)) > metrics.horizontalAdvance(widestDigit))
            widestDigit = QLatin1Char(d);
    const QString speed = QStringLiteral("n = -") + QString(5, widestDigit);
    const QString angle = QStringLiteral("a = -") + QString(3, widestDigit) +
                          QLatin1Char(userDecimalSeparator()) + widestDigit;
    const int textWidth =
        std::max(metrics.horizontalAdvance(speed), metrics.horizontalAdvance(angle));
    const int lineHeight = std::max(metrics.lineSpacing(), metrics.height());
    const int margin = ReadingBox::kMargin;
    const int frame = box.frameWidth();
    // One pixel more each way for the text cursor and rounding of the glyphs.
    box.resize(textWidth + 2 * (margin + frame) + 2, 2 * lineHeight + 2 * (margin + frame) + 2);
}

}  // namespace

QString readingText(const GraphScale& scale, QPoint pos)
{
    const QString angle =
        QString::fromStdString(formatFixed(scale.angleDeg(pos.y()), 1, userDecimalSeparator()));
    return QStringLiteral("n = %1\na = %2").arg(scale.rpm(pos.x())).arg(angle);
}

void setWindowPointer(QWidget& window, bool crosshair)
{
    if (crosshair)
        window.setCursor(Qt::CrossCursor);
    else
        window.unsetCursor();
}

GraphReading::GraphReading(const RasterSurface& graph, ReadingBox& box, GraphScale scale,
                           QPoint boxOffset, Rgb yellowShownAs)
    : graph_(graph), box_(box), scale_(scale), boxOffset_(boxOffset), yellowShownAs_(yellowShownAs)
{
    fitToWidestReading(box_);
}

void GraphReading::follow(QPoint pos)
{
    box_.move(pos + boxOffset_);
    setText(readingText(scale_, pos));
    const Rgb under = graph_.pixel(pos.x(), pos.y());
    if (under == kRed || under == kBlue || under == kGreen)
        setColour(under);
    else if (under == kYellow)
        setColour(yellowShownAs_);
    else
        setColour(kBlack);
}

void GraphReading::show()
{
    // Shown above every other control, the tab strip beside the graph included.
    box_.raise();
    box_.show();
}

void GraphReading::hide()
{
    box_.hide();
}

void GraphReading::setText(const QString& text)
{
    box_.setPlainText(text);
}

void GraphReading::setColour(Rgb colour)
{
    box_.setTextColour(toQColor(colour));
}

}  // namespace ign::ui
