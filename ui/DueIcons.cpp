#include "ui/DueIcons.h"
#include "ui/PaintedIcon.h"
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

// Each image is drawn on a 16 by 16 grid that is scaled to the size asked.
void DrawCalendarPage(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(1.5, 2.5, 13, 12), 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(2, 3, 12, 3));
    // Binding rings.
    p.setBrush(QColor(70, 70, 70));
    p.drawRect(QRectF(4.5, 1, 1.5, 3));
    p.drawRect(QRectF(10, 1, 1.5, 3));
    // Days of the month, on whole pixels so they stay sharp at 16 by 16.
    p.setBrush(QColor(60, 90, 160));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF(3 + col * 3, 7 + row * 3, 2, 2));
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(12, 10, 2, 2));
}

void DrawSun(QPainter& p) {
    const QPointF c(8, 8);
    p.setPen(QPen(QColor(230, 140, 0), 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        p.drawLine(c + QPointF(5.0 * std::cos(a), 5.0 * std::sin(a)),
                   c + QPointF(7.2 * std::cos(a), 7.2 * std::sin(a)));
    }
    QRadialGradient g(QPointF(7, 7), 4.5);
    g.setColorAt(0, QColor(255, 245, 120));
    g.setColorAt(1, QColor(250, 190, 0));
    p.setPen(QPen(QColor(220, 130, 0), 0.8));
    p.setBrush(g);
    p.drawEllipse(c, 3.8, 3.8);
}

void DrawAlarmClock(QPainter& p) {
    const QColor dark(60, 60, 60);
    // Bells and feet.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    p.drawPie(QRectF(0.5, 0.5, 6, 6), 45 * 16, 180 * 16);
    p.drawPie(QRectF(9.5, 0.5, 6, 6), -45 * 16, 180 * 16);
    p.setPen(QPen(dark, 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.5, 13.5), QPointF(3, 15));
    p.drawLine(QPointF(11.5, 13.5), QPointF(13, 15));
    // Face.
    p.setPen(QPen(QColor(200, 40, 40), 1.4));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 9), 5.3, 5.3);
    // Hands.
    p.setPen(QPen(dark, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 9), QPointF(8, 5.6));
    p.drawLine(QPointF(8, 9), QPointF(10.6, 10.4));
}

void DrawNoEntry(QPainter& p) {
    p.setPen(QPen(QColor(150, 0, 0), 0.8));
    p.setBrush(QColor(220, 20, 20));
    p.drawEllipse(QPointF(8, 8), 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 6, 10, 4));
}

} // namespace

QIcon DueKindIcon(int kind) {
    static void (*const kDraw[kDueKindIcons])(QPainter&) = {DrawCalendarPage, DrawSun,
                                                            DrawAlarmClock, DrawNoEntry};
    if (kind < 0 || kind >= kDueKindIcons)
        return QIcon();
    return PaintedIcon(kDraw[kind], 16);
}

const QIcon& SharedDueKindIcon(int kind) {
    static const QIcon icons[kDueKindIcons] = {DueKindIcon(0), DueKindIcon(1), DueKindIcon(2),
                                               DueKindIcon(3)};
    static const QIcon none;
    return kind >= 0 && kind < kDueKindIcons ? icons[kind] : none;
}
