#pragma once
// The tray icon's two images, drawn as shapes so they are crisp at whatever
// size the tray asks for: the clock face (normal) and the same face greyed
// with a pause sign (schedule suspended).
#include <QIcon>

QIcon TrayImage(bool suspended);
