#pragma once
// Windows kept to the screen they open on: a size stored by hand, on a larger
// screen or at another scale must give neither a window larger than the
// screen (its buttons and status bar out of reach, and memory for its whole
// surface taken at once) nor one out of reach. A size shrunk to fit is the
// screen's doing, not the user's, and is not stored in place of theirs.
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The nearest position at which a window of that size lies wholly inside the
// area.
QPoint FitPosition(QPoint stored, QSize size, const QRect& area);
// The available area (without panels) of the screen that holds the point,
// else of the primary screen; empty with no screen at all.
QRect AvailableArea(QPoint at = QPoint(-1, -1));

// Gives a window the size from its settings (a side below 1 takes the
// fallback's), fitted to its screen.
void ApplyStoredSize(QWidget* window, QSize stored, QSize fallback);
// Makes the window, frame included as far as the window manager has told
// it, no larger than the available area of its screen, and moves it inside.
// Its minimum size gives way where the screen is smaller.
void FitToScreen(QWidget* window);
// The size to store for the window: the one it has (when maximised, the one
// it returns to), unless that is still the size the screen cut it to, in
// which case the size it was given before.
QSize SizeToStore(const QWidget* window);

// Installed on the application: fits every window to its screen as it is
// shown and when it moves to another screen.
class TScreenFitter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
};
