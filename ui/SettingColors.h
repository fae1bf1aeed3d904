#pragma once
// Colours as the settings store them: 0x00BBGGRR, or 0x80000000 plus a
// system colour index (window, window text, button face...), which follows
// the desktop's palette here.
#include <QColor>
#include <cstdint>

QColor ColorFromSetting(std::uint32_t value);
// Always an explicit colour (0x00BBGGRR).
std::uint32_t ColorToSetting(const QColor& color);
