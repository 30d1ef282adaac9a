#include "ui/graphs/graph_reading.h"

#include <QLocale>
#include <QPlainTextEdit>

#include "model/numbers.h"
#include "ui/graphs/raster_surface.h"

namespace ign::ui {
namespace {

QColor toQColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

}  // namespace

QString readingText(const GraphScale& scale, QPoint pos)
{
    // The number rules write the full stop; the box speaks the user's
    // separator, whatever character that is.
    QString angle = QString::fromStdString(formatFixed(scale.angleDeg(pos.y()), 1, '.'));
    angle.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return QStringLiteral("n = %1\na = %2").arg(scale.rpm(pos.x())).arg(angle);
}

void setWindowPointer(QWidget& window, bool crosshair)
{
    if (crosshair)
        window.setCursor(Qt::CrossCursor);
    else
        window.unsetCursor();
}

GraphReading::GraphReading(const RasterSurface& graph, QPlainTextEdit& box, GraphScale scale,
                           QPoint boxOffset, Rgb yellowShownAs)
    : graph_(graph), box_(box), scale_(scale), boxOffset_(boxOffset), yellowShownAs_(yellowShownAs)
{ }

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
    box_.show();
}

void GraphReading::hide()
{
    box_.hide();
}

void GraphReading::setText(const QString& text)
{
    // Laying out a text document is the dearest part of a pointer move; the
    // same text need not be laid out again.
    if (box_.toPlainText() != text)
        box_.setPlainText(text);
}

void GraphReading::setColour(Rgb colour)
{
    const QColor wanted = toQColor(colour);
    if (box_.palette().color(QPalette::Text) == wanted)
        return;
    QPalette palette = box_.palette();
    palette.setColor(QPalette::Text, wanted);
    box_.setPalette(palette);
}

}  // namespace ign::ui
