#pragma once
// An icon drawn by code on a square grid, rendered afresh at every size and
// device pixel ratio asked for, so it is never scaled from a bitmap.
#include <QIcon>
#include <functional>

class QPainter;

// draw paints on a grid of gridSize by gridSize units; a disabled icon is
// drawn faded.
QIcon PaintedIcon(std::function<void(QPainter&)> draw, qreal gridSize);
