#pragma once
// The program's colours: the desktop's palette, or one of Tickwell's own
// when TICKWELL_PALETTE asks for it, and the helpers that keep fixed colours
// and stored colour values readable on whichever palette is in force.
#include <QColor>
#include <QPalette>
#include <cstdint>

// TICKWELL_PALETTE=dark or light: Tickwell's own palette in the Fusion style,
// whatever the desktop's theme (tests and screenshots use it); unset or any
// other value: the desktop's palette. Call once the application exists.
void ApplyPaletteChoice();

QPalette DarkPalette();

// The rim of check and radio boxes on a dark window, which sets empty ones
// apart from the window and from checked ones.
QColor IndicatorRim(const QPalette& palette, bool enabled);

// a moved towards b by share (0 to 1), channel by channel; a's opacity.
QColor Mixed(const QColor& a, const QColor& b, double share);

// The contrast ratio of two colours, 1 (none) to 21 (black on white), as
// accessibility guidelines measure it.
double ContrastRatio(const QColor& a, const QColor& b);

// colour itself when text in it reads on background (a contrast of 4.5 or
// more); otherwise the same hue mixed with white on a dark background, or
// with black on a light one, until it does. Maroon stays a red, purple a
// purple.
QColor ReadableOn(const QColor& colour, const QColor& background);

// A stored colour value: 0x00BBGGRR for a fixed colour, or 0x80000000 plus a
// system colour index (0x80000008 window text, 0x80000018 tooltip
// background...) for the palette's colour of that role.
QColor StoredColour(std::uint32_t value, const QPalette& palette);
// The stored value of a colour the user picked: always a fixed colour.
std::uint32_t StoredColourValue(const QColor& colour);
