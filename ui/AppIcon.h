#pragma once
// The program's icon and the names desktops know the program by.
#include <QIcon>
#include <QString>

// The icon theme's "tickwell" icon when the desktop has one (an installed
// Tickwell puts it there), else the same pictures built into the program.
QIcon AppIcon();
// The icon's name in the icon theme; the autostart entry names it too.
QString AppIconName();
// The desktop entry's name without ".desktop": task bars and notifications
// find the icon and the program's name through it.
QString DesktopEntryName();
