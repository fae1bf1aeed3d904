#include "ui/ToolbarArt.h"
#include "ui/PaintedIcon.h"
#include "ui/Theme.h"
#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// Every picture is drawn on a 32 by 32 grid.
constexpr qreal kGrid = 32;

void DrawPlus(QPainter& p) {
    p.setPen(QPen(QColor(0x1b, 0x7a, 0x2e), 1.5));
    p.setBrush(QColor(0x3c, 0xb3, 0x4f));
    QPainterPath cross;
    cross.addRoundedRect(QRectF(12, 4, 8, 24), 2, 2);
    cross.addRoundedRect(QRectF(4, 12, 24, 8), 2, 2);
    p.drawPath(cross.simplified());
}

void DrawPencil(QPainter& p) {
    p.translate(16, 16);
    p.rotate(45);
    p.setPen(QPen(QColor(0x6b, 0x4a, 0x10), 1.2));
    p.setBrush(QColor(0xf2, 0xc1, 0x3b));
    p.drawRect(QRectF(-4, -13, 8, 19));
    p.setBrush(QColor(0xe8, 0x7b, 0x8b));
    p.drawRect(QRectF(-4, -15, 8, 3));
    p.setBrush(QColor(0xf5, 0xde, 0xb3));
    QPolygonF tip;
    tip << QPointF(-4, 6) << QPointF(4, 6) << QPointF(0, 14);
    p.drawPolygon(tip);
    p.setBrush(QColor(0x33, 0x33, 0x33));
    QPolygonF lead;
    lead << QPointF(-1.3, 11.5) << QPointF(1.3, 11.5) << QPointF(0, 14);
    p.drawPolygon(lead);
}

void DrawCross(QPainter& p) {
    p.setPen(QPen(QColor(0x9c, 0x16, 0x16), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(24, 24));
    p.drawLine(QPointF(24, 8), QPointF(8, 24));
    p.setPen(QPen(QColor(0xe0, 0x3a, 0x3a), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(24, 24));
    p.drawLine(QPointF(24, 8), QPointF(8, 24));
}

void DrawMagnifier(QPainter& p) {
    p.setPen(QPen(QColor(0x5a, 0x3a, 0x1a), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 19), QPointF(27, 27));
    p.setPen(QPen(QColor(0x40, 0x50, 0x60), 2.5));
    QRadialGradient glass(QPointF(11, 11), 10);
    glass.setColorAt(0, QColor(0xff, 0xff, 0xff));
    glass.setColorAt(1, QColor(0x9c, 0xc8, 0xf0));
    p.setBrush(glass);
    p.drawEllipse(QPointF(13, 13), 9, 9);
}

void DrawBell(QPainter& p) {
    p.setPen(QPen(QColor(0x8a, 0x5c, 0x00), 1.3));
    QLinearGradient g(6, 0, 26, 0);
    g.setColorAt(0, QColor(0xff, 0xe0, 0x70));
    g.setColorAt(1, QColor(0xd8, 0x9a, 0x10));
    p.setBrush(g);
    QPainterPath bell;
    bell.moveTo(16, 4);
    bell.cubicTo(9, 4, 9, 12, 8.5, 17);
    bell.cubicTo(8, 21, 5, 23, 5, 24);
    bell.lineTo(27, 24);
    bell.cubicTo(27, 23, 24, 21, 23.5, 17);
    bell.cubicTo(23, 12, 23, 4, 16, 4);
    p.drawPath(bell);
    p.drawEllipse(QPointF(16, 26.5), 3, 2.5);
    p.setBrush(QColor(0x8a, 0x5c, 0x00));
    p.drawEllipse(QPointF(16, 3.5), 1.6, 1.6);
}

void DrawCalendar(QPainter& p) {
    p.setPen(QPen(QColor(0x44, 0x44, 0x44), 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(4, 6, 24, 22), 2, 2);
    p.setBrush(QColor(0xd0, 0x30, 0x30));
    p.drawRoundedRect(QRectF(4, 6, 24, 6), 2, 2);
    p.setPen(QPen(QColor(0x44, 0x44, 0x44), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 3.5), QPointF(10, 8));
    p.drawLine(QPointF(22, 3.5), QPointF(22, 8));
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) {
            p.setBrush(row == 1 && col == 2 ? QColor(0xd0, 0x30, 0x30) : QColor(0x90, 0x90, 0x90));
            p.drawRect(QRectF(7 + col * 5, 14.5 + row * 4.3, 3.4, 3));
        }
}

void DrawGear(QPainter& p) {
    p.translate(16, 16);
    p.setPen(QPen(QColor(0x35, 0x45, 0x5a), 1.2));
    p.setBrush(QColor(0x8a, 0x9b, 0xb0));
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth; ++i) {
        QPainterPath tooth;
        tooth.addRect(QRectF(-3, -14, 6, 6));
        gear.addPath(QTransform().rotate(360.0 * i / teeth).map(tooth));
    }
    gear.addEllipse(QPointF(0, 0), 10, 10);
    gear = gear.simplified();
    QPainterPath hole;
    hole.addEllipse(QPointF(0, 0), 4, 4);
    p.drawPath(gear.subtracted(hole));
}

void DrawDoor(QPainter& p) {
    p.setPen(QPen(QColor(0x50, 0x35, 0x20), 1.2));
    p.setBrush(QColor(0xc8, 0x96, 0x5a));
    p.drawRect(QRectF(6, 4, 15, 24));
    p.setBrush(QColor(0x50, 0x35, 0x20));
    p.drawEllipse(QPointF(18, 16), 1.4, 1.4);
    p.setPen(QPen(QColor(0x1f, 0x5f, 0xb0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(15, 16), QPointF(28, 16));
    p.drawLine(QPointF(24, 12), QPointF(28, 16));
    p.drawLine(QPointF(24, 20), QPointF(28, 16));
}

void DrawPower(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc6, 0x28, 0x28));
    p.drawEllipse(QPointF(16, 16), 14, 14);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(8.5, 9, 15, 15), 120 * 16, 300 * 16);
    p.drawLine(QPointF(16, 6.5), QPointF(16, 15));
}

// A page of seven days with one week picked out.
void DrawWeek(QPainter& p) {
    p.setPen(QPen(QColor(0x44, 0x44, 0x44), 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(3, 6, 26, 22), 2, 2);
    p.setBrush(QColor(0x2f, 0x6f, 0xc0));
    p.drawRoundedRect(QRectF(3, 6, 26, 6), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf2, 0xc1, 0x3b));
    p.drawRect(QRectF(4.5, 17.5, 23, 5));
    for (int col = 0; col < 7; ++col) {
        p.setBrush(QColor(0x55, 0x55, 0x55));
        p.drawRect(QRectF(5.5 + col * 3.2, 18.5, 2.2, 3));
    }
}

QIcon OwnToolbarIcon(TToolPicture picture) {
    static void (*const kDraw[])(QPainter&) = {DrawPlus,  DrawPencil,   DrawCross,   DrawMagnifier,
                                               DrawBell,  DrawCalendar, DrawGear,    DrawDoor,
                                               DrawPower, DrawWeek,     DrawCalendar};
    return PaintedIcon(kDraw[static_cast<int>(picture)], kGrid);
}

} // namespace

QIcon ToolbarIcon(TToolPicture picture) {
    // Standard names of the freedesktop icon naming rules.
    static const char* const kThemeNames[] = {
        "list-add",         "document-edit",      "edit-delete",        "edit-find",
        "appointment-soon", "x-office-calendar",  "preferences-system", "window-close",
        "application-exit", "view-calendar-week", "view-calendar-month"};
    return QIcon::fromTheme(QString::fromLatin1(kThemeNames[static_cast<int>(picture)]),
                            OwnToolbarIcon(picture));
}

QPixmap ToolbarBackground(int height, const QPalette& palette) {
    if (height < 1)
        height = 1;
    const QColor button = palette.color(QPalette::Button);
    const QColor tint = palette.color(QPalette::Highlight);
    auto wash = [&](double share) { return Mixed(button, tint, share); };
    QPixmap pm(64, height);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, wash(0.03).lighter(104));
    g.setColorAt(0.55, wash(0.12));
    g.setColorAt(1, wash(0.22));
    p.fillRect(pm.rect(), g);
    p.setPen(wash(0.35));
    p.drawLine(0, height - 1, 63, height - 1);
    return pm;
}

void TArtToolBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (Background.height() != height())
        Background = ToolbarBackground(height(), palette());
    p.drawTiledPixmap(rect(), Background);
}

void TArtToolBar::changeEvent(QEvent* e) {
    if (e->type() == QEvent::PaletteChange)
        Background = QPixmap();
    QToolBar::changeEvent(e);
}
