#pragma once
// The desktop clock: the date and the time in a small borderless window the
// user drags where it suits, with its own look (font, colours, 12 or 24
// hours, on top) kept from run to run. Its right-click menu holds its own
// entries; while the desktop has no tray, the entries it is handed in the
// tray menu's place too.
#include <QColor>
#include <QFont>
#include <QList>
#include <QPoint>
#include <QWidget>
#include <string>

class QAction;
class QLabel;
class QMenu;

class TClockFrm : public QWidget {
    Q_OBJECT
public:
    explicit TClockFrm(QWidget* parent = nullptr);
    // Keeps the clock's look and place.
    ~TClockFrm() override;

    QMenu* ClockMenu() const { return ClockPop; }
    // The time now, in the clock's 12 or 24 hour form.
    void ShowTime();
    // Stands still, saying why, while the schedule is suspended and the
    // clock stands in for the tray.
    void ShowSuspended();
    void UpdateDateLabel();
    // The clock's menu takes the entries in place of its own Exit, for as
    // long as it stands in for a missing tray.
    void StandInForTray(const QList<QAction*>& entries);
    void EndStandIn();

    QLabel* DateLabel;
    QLabel* TimeLabel;
    QAction* StayOnTopAction;
    QAction* ClockFontAction;
    QAction* ClockColourAction;
    QAction* TextColourAction;
    QAction* Hour24Action;
    QAction* ClockHelpAction;
    QAction* ExitAction;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    QAction* MenuItem(const char* name, const QString& caption, const QKeySequence& key,
                      void (TClockFrm::*command)());
    void BuildMenu();
    void ReadSettings();
    void WriteSettings() const;
    std::string Look() const;
    void LayoutClock();
    void ApplyLook();
    void StayOnTopFlag(bool onTop);

    void StayOnTopClick();
    void ClockFontClick();
    void ClockColourClick();
    void TextColourClick();
    void ClockHelpClick();
    void ExitClick();

    QMenu* ClockPop;
    QList<QAction*> StandIns;
    QAction* StandInSeparator = nullptr;
    QFont ClockFont;
    QColor FontColour;
    QColor Background;
    // The look and place as read, so that an unchanged clock writes nothing.
    std::string LookAsRead;
    bool Shown = false;
    QPoint DragOffset;
    bool Dragging = false;
};
