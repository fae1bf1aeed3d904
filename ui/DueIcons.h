#pragma once
// The row images of the due-events list, one per due kind: 0 coming (a
// calendar page), 1 due today (a sun), 2 kept and overdue (an alarm clock),
// 3 kept and past its end (a no-entry sign). Drawn as shapes, so they are
// crisp at 16 by 16 and at any device pixel ratio.
#include <QIcon>

inline constexpr int kDueKindIcons = 4;

// An empty icon for any other kind.
QIcon DueKindIcon(int kind);

// The same icons drawn once and kept: a list asks for one per row it draws.
const QIcon& SharedDueKindIcon(int kind);
