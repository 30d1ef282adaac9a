#include "ui/form/fixed_pictures.h"

#include <QPainter>

#include "model/curves.h"
#include "ui/form/widget_factory.h"

namespace ign::ui {
namespace {

// Black serif text drawn by `draw` on a picture in the window's background.
template <class Draw>
QPixmap textPicture(QSize size, const QColor& background, double pointSize, bool italic, Draw draw)
{
    QPixmap pixmap(size);
    pixmap.fill(background);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    QFont font = serifFont(pointSize);
    font.setItalic(italic);
    p.setFont(font);
    draw(p);
    return pixmap;
}

}  // namespace

QPixmap formulaPicture(QSize size, const QColor& background)
{
    return textPicture(size, background, 13, true, [size](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        const int middle = size.height() / 2;
        const QRect lhs(0, 0, 44, size.height());
        p.drawText(lhs, Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("α ="));
        const QRect fraction(52, 0, size.width() - 56, size.height());
        p.drawText(QRect(fraction.left(), 0, fraction.width(), middle - 1),
                   Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("a·n − b"));
        p.drawLine(fraction.left(), middle, fraction.right(), middle);
        p.drawText(QRect(fraction.left(), middle + 1, fraction.width(), middle - 1),
                   Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("n + c"));
    });
}

QPixmap angleCaptionPicture(QSize size, const QColor& background)
{
    return textPicture(size, background, 9, false, [size](QPainter& p) {
        p.translate(0, size.height());
        p.rotate(-90);
        p.drawText(QRect(0, 0, size.height(), size.width()), Qt::AlignCenter,
                   QStringLiteral("α, град"));
    });
}

QList<QIcon> tabImages()
{
    QList<QIcon> icons;
    for (int ch = 0; ch < 2; ++ch) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        const Rgb c = wantedColour(ch);
        p.setPen(QPen(QColor(c.r, c.g, c.b), 2));
        p.drawLine(1, 14, 6, 7);
        p.drawLine(6, 7, 14, 3);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(0, 15, 15, 15);
        p.drawLine(0, 0, 0, 15);
        icons << QIcon(pixmap);
    }
    return icons;
}

}  // namespace ign::ui
