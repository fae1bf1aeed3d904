#pragma once
// The main window's toolbar artwork, drawn in code so that it looks the same
// whatever icon theme the desktop has (or none).
#include <QIcon>
#include <QPixmap>

enum class TToolPicture { Add, Edit, Delete, Find, Due, Calendar, Options, Close, Exit };

// A button picture at 32 by 32 pixels (scaled down cleanly by Qt).
QIcon ToolbarIcon(TToolPicture picture);
// The toolbar's background: a soft vertical wash, tiled across the bar.
QPixmap ToolbarBackground(int height);
