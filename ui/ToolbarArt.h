#pragma once
// The main window's toolbar artwork: the desktop icon theme's standard icons
// where one fits, Tickwell's own pictures (drawn in code, crisp at any size)
// where the theme has none, and a background washed in the palette's colours.
#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QToolBar>

enum class TToolPicture {
    Add,
    Edit,
    Delete,
    Find,
    Due,
    Calendar,
    Options,
    Close,
    Exit,
    Week,
    Month
};

QIcon ToolbarIcon(TToolPicture picture);
// The toolbar's background: a soft vertical wash of the button colour
// tinted with the highlight colour, tiled across the bar.
QPixmap ToolbarBackground(int height, const QPalette& palette);

// A toolbar on that background.
class TArtToolBar : public QToolBar {
public:
    using QToolBar::QToolBar;

protected:
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    QPixmap Background;
};
