#include "ui/SettingColors.h"
#include <QApplication>
#include <QPalette>

namespace {

QPalette::ColorRole SystemColorRole(std::uint32_t index) {
    switch (index) {
    case 5:  // window
    case 24: // tooltip background
        return QPalette::Base;
    case 8:  // window text
    case 7:  // menu text
    case 23: // tooltip text
        return QPalette::Text;
    case 13:
        return QPalette::Highlight;
    case 14:
        return QPalette::HighlightedText;
    case 18: // button text
        return QPalette::ButtonText;
    case 16: // button shadow
        return QPalette::Mid;
    case 17: // grey text
        return QPalette::PlaceholderText;
    case 20: // button highlight
        return QPalette::Light;
    case 21:
        return QPalette::Shadow;
    default: // button face and the rest
        return QPalette::Window;
    }
}

} // namespace

QColor ColorFromSetting(std::uint32_t value) {
    if (value & 0x80000000u)
        return QApplication::palette().color(SystemColorRole(value & 0xFFu));
    return QColor(value & 0xFFu, (value >> 8) & 0xFFu, (value >> 16) & 0xFFu);
}

std::uint32_t ColorToSetting(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) |
           (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}
