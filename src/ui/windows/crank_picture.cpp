#include "ui/windows/crank_picture.h"

#include <QBitmap>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace ign::ui {

QPixmap crankMechanismPicture(int size, double crankDeg)
{
    QPixmap pixmap(size, size);
    pixmap.fill(QColor(236, 240, 246));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 140-unit square, scaled to the size asked for.
    p.scale(size / 140.0, size / 140.0);

    const QPointF main(70, 102);  // main journal
    const double throwR = 19;  // crank radius
    const double rodLength = 44;
    const double a = crankDeg * std::numbers::pi / 180.0;
    const QPointF crankPin(main.x() + throwR * std::sin(a), main.y() - throwR * std::cos(a));
    // The gudgeon pin stays on the cylinder axis; the rod closes the triangle.
    const double pinY =
        crankPin.y() - std::sqrt(rodLength * rodLength - std::pow(crankPin.x() - main.x(), 2));
    const QPointF gudgeonPin(main.x(), pinY);

    // Crankcase and cylinder with cooling fins.
    p.setPen(QPen(QColor(90, 94, 104), 1));
    p.setBrush(QColor(200, 204, 212));
    p.drawEllipse(main, 34, 30);
    p.setBrush(QColor(120, 126, 138));
    p.drawRect(QRectF(38, 14, 8, 62));
    p.drawRect(QRectF(94, 14, 8, 62));
    for (int y = 18; y < 70; y += 8) {
        p.drawRect(QRectF(28, y, 18, 3));
        p.drawRect(QRectF(94, y, 18, 3));
    }
    // Cylinder head with the spark plug and its spark.
    p.drawRect(QRectF(38, 8, 64, 7));
    p.setBrush(QColor(245, 245, 240));
    p.drawRect(QRectF(66, 1, 8, 8));
    p.setPen(QPen(QColor(255, 190, 0), 2));
    p.drawLine(QPointF(70, 16), QPointF(66, 21));
    p.drawLine(QPointF(66, 21), QPointF(73, 22));
    p.drawLine(QPointF(73, 22), QPointF(69, 27));

    // Connecting rod from the gudgeon pin to the crank pin.
    p.setPen(QPen(QColor(70, 80, 110), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(gudgeonPin, crankPin);

    // Piston with its ring grooves.
    const QRectF piston(47, pinY - 20, 46, 32);
    QLinearGradient metal(piston.topLeft(), piston.topRight());
    metal.setColorAt(0, QColor(150, 155, 165));
    metal.setColorAt(0.5, QColor(235, 238, 242));
    metal.setColorAt(1, QColor(150, 155, 165));
    p.setPen(QPen(QColor(80, 84, 92), 1));
    p.setBrush(metal);
    p.drawRect(piston);
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(47, piston.top() + 4 + 4 * i), QPointF(93, piston.top() + 4 + 4 * i));
    p.setBrush(QColor(60, 64, 72));
    p.drawEllipse(gudgeonPin, 4, 4);

    // Crank web with its counterweight opposite the pin, then the journals.
    QPainterPath web;
    web.addEllipse(main, 24, 24);
    QPainterPath counterweightCut;
    counterweightCut.addRect(QRectF(main.x() - 30, main.y() - 30, 60, 30));
    QTransform turn;
    turn.translate(main.x(), main.y());
    turn.rotate(crankDeg);
    turn.translate(-main.x(), -main.y());
    web = web.subtracted(turn.map(counterweightCut));
    QPainterPath arm;
    arm.moveTo(main);
    arm.addEllipse(crankPin, 9, 9);
    web = web.united(arm);
    p.setPen(QPen(QColor(50, 54, 62), 1));
    p.setBrush(QColor(105, 110, 122));
    p.drawPath(web);
    p.setPen(QPen(QColor(105, 110, 122), 14, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(main, crankPin);
    p.setPen(QPen(QColor(50, 54, 62), 1));
    p.setBrush(QColor(200, 170, 90));
    p.drawEllipse(main, 8, 8);
    p.drawEllipse(crankPin, 5, 5);
    return pixmap;
}

QCursor linkHandPointer()
{
    // '#' black, '.' white, blank transparent.
    static const char* const hand[32] = {
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "                                ",
        "             ##                 ",
        "            #..#                ",
        "            #..#                ",
        "            #..#                ",
        "            #..#                ",
        "            #..###              ",
        "            #..#..###           ",
        "            #..#..#..##         ",
        "            #..#..#..#.#        ",
        "        ### #........#.#        ",
        "        #..##..........#        ",
        "         #..#..........#        ",
        "          #.#..........#        ",
        "          #............#        ",
        "           #...........#        ",
        "           #..........#         ",
        "            #.........#         ",
        "            #........#          ",
        "             #.......#          ",
        "             #.......#          ",
        "             #########          ",
        "                                ",
        "                                ",
    };
    QImage colour(32, 32, QImage::Format_Mono);
    QImage opaque(32, 32, QImage::Format_Mono);
    for (QImage* image : {&colour, &opaque}) {
        image->setColorCount(2);
        image->setColor(0, qRgb(255, 255, 255));
        image->setColor(1, qRgb(0, 0, 0));
        image->fill(0);
    }
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            colour.setPixel(x, y, hand[y][x] == '#' ? 1 : 0);
            opaque.setPixel(x, y, hand[y][x] == ' ' ? 0 : 1);
        }
    return QCursor(QBitmap::fromImage(colour), QBitmap::fromImage(opaque), 13, 9);
}

}  // namespace ign::ui
