#include "ui/Theme.h"
#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <cmath>

namespace {

// Relative luminance of an sRGB colour.
double Luminance(const QColor& c) {
    auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

constexpr double kTextContrast = 4.5;

// Fusion rims its check and radio boxes in a shade darker than the window;
// on a dark window that rim vanishes against the dark box, and an empty
// radio button reads as a filled one. Dark palettes get a light rim.
class TRimmedIndicatorStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        const bool radio = element == PE_IndicatorRadioButton;
        if (!radio && element != PE_IndicatorCheckBox && element != PE_IndicatorItemViewItemCheck)
            return;
        const QPalette& pal = option->palette;
        if (Luminance(pal.color(QPalette::Window)) >= 0.18)
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(IndicatorRim(pal, option->state & State_Enabled), 1));
        if (radio) {
            // Where Fusion draws its own rim.
            const qreal radius = (option->rect.width() + (option->rect.width() + 1) % 2) / 2.0 - 1;
            painter->drawEllipse(QPointF(option->rect.center()) + QPointF(1, 1), radius, radius);
        } else {
            painter->drawRect(QRectF(option->rect).adjusted(0.5, 0.5, -1.5, -1.5));
        }
        painter->restore();
    }
};

} // namespace

QColor IndicatorRim(const QPalette& palette, bool enabled) {
    // Halfway to the text: plain beside it, yet clear of window and box.
    return Mixed(palette.color(QPalette::Active, QPalette::Window),
                 palette.color(QPalette::Active, QPalette::WindowText), enabled ? 0.6 : 0.3);
}

void ApplyPaletteChoice() {
    const QByteArray choice = qgetenv("TICKWELL_PALETTE").trimmed().toLower();
    if (choice != "dark" && choice != "light")
        return;
    QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    if (!fusion)
        return;
    QApplication::setStyle(new TRimmedIndicatorStyle(fusion));
    QApplication::setPalette(choice == "dark" ? DarkPalette() : fusion->standardPalette());
}

QPalette DarkPalette() {
    const QColor window(0x35, 0x35, 0x35);
    const QColor base(0x26, 0x26, 0x26);
    const QColor text(0xe8, 0xe8, 0xe8);
    const QColor disabledText(0x80, 0x80, 0x80);
    QPalette p(text, window, window.lighter(150), window.darker(200), window.darker(150), text,
               QColor(Qt::white), base, window);
    p.setColor(QPalette::Midlight, window.lighter(125));
    p.setColor(QPalette::AlternateBase, QColor(0x2e, 0x2e, 0x2e));
    p.setColor(QPalette::ToolTipBase, QColor(0x44, 0x42, 0x36));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabledText);
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x7a, 0xd0));
    p.setColor(QPalette::HighlightedText, QColor(Qt::white));
    p.setColor(QPalette::Link, QColor(0x6c, 0xb4, 0xff));
    p.setColor(QPalette::LinkVisited, QColor(0xc4, 0x9c, 0xff));
    p.setColor(QPalette::BrightText, QColor(0xff, 0x6b, 0x6b));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabledText);
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0x50, 0x50, 0x50));
    return p;
}

QColor Mixed(const QColor& a, const QColor& b, double share) {
    auto mix = [share](double x, double y) { return x + (y - x) * share; };
    return QColor::fromRgbF(mix(a.redF(), b.redF()), mix(a.greenF(), b.greenF()),
                            mix(a.blueF(), b.blueF()), a.alphaF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& colour, const QColor& background) {
    if (ContrastRatio(colour, background) >= kTextContrast)
        return colour;
    // Mixing with white (or black) keeps the hue and softens the colour, so
    // purple turns lavender rather than a glaring magenta.
    const QColor target = Luminance(background) < 0.18 ? QColor(Qt::white) : QColor(Qt::black);
    QColor best = colour;
    for (int step = 1; step <= 50; ++step) {
        best = Mixed(colour, target, step / 50.0);
        if (ContrastRatio(best, background) >= kTextContrast)
            break;
    }
    return best;
}

QColor StoredColour(std::uint32_t value, const QPalette& palette) {
    if (!(value & 0x80000000u))
        return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
    // The roles of the system colour indices 0..30, nearest meaning first.
    static const QPalette::ColorRole kRoles[] = {
        QPalette::Button,
        QPalette::Window,
        QPalette::Highlight,
        QPalette::Mid,
        QPalette::Window,
        QPalette::Base,
        QPalette::Shadow,
        QPalette::WindowText,
        QPalette::Text,
        QPalette::HighlightedText,
        QPalette::Button,
        QPalette::Button,
        QPalette::Dark,
        QPalette::Highlight,
        QPalette::HighlightedText,
        QPalette::Button,
        QPalette::Dark,
        QPalette::Text,
        QPalette::ButtonText,
        QPalette::ButtonText,
        QPalette::Light,
        QPalette::Shadow,
        QPalette::Midlight,
        QPalette::ToolTipText,
        QPalette::ToolTipBase,
        QPalette::Window,
        QPalette::Link,
        QPalette::Highlight,
        QPalette::Mid,
        QPalette::Highlight,
        QPalette::Window,
    };
    constexpr std::uint32_t kGrayText = 17;
    const std::uint32_t index = value & 0xffu;
    if (index == kGrayText)
        return palette.color(QPalette::Disabled, QPalette::Text);
    if (index >= std::size(kRoles) || (value & 0x7fffff00u))
        return palette.color(QPalette::WindowText);
    return palette.color(kRoles[index]);
}

std::uint32_t StoredColourValue(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) |
           (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}
