#pragma once
// Stored window sizes and positions made to fit the screen: a settings file
// edited by hand, or written on a larger screen, must give neither a window
// larger than the screen (memory for its whole surface is taken at once) nor
// one out of reach.
#include <QPoint>
#include <QRect>
#include <QSize>

// Each side cut to the area's; a side below 1 takes the fallback's (itself
// cut to the area).
QSize FitSize(QSize stored, QSize fallback, const QRect& area);
// The nearest position at which a window of that size lies wholly inside the
// area.
QPoint FitPosition(QPoint stored, QSize size, const QRect& area);
// The available area (without panels) of the screen that holds the point,
// else of the primary screen; empty with no screen at all.
QRect AvailableArea(QPoint at = QPoint(-1, -1));
