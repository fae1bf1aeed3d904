#pragma once
// Real input for window tests: clicks on rows, headers and menus, keys to the
// focused window, and what a list shows, read through its model as a user
// sees it (whatever kind of view holds the rows).
#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

// The texts a column shows, top to bottom.
inline QStringList ShownTexts(const QAbstractItemView* view, int column = 0) {
    QStringList out;
    const QAbstractItemModel* m = view->model();
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, column).data().toString();
    return out;
}

inline QStringList SortedTexts(const QAbstractItemView* view) {
    QStringList out = ShownTexts(view);
    out.sort();
    return out;
}

inline bool ClickRow(QAbstractItemView* view, const QString& text) {
    const int row = ShownTexts(view).indexOf(text);
    if (row < 0)
        return false;
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    return true;
}

// A click on the middle of the header section of a column.
inline void ClickHeader(QHeaderView* header, int column) {
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

// Types text of any script, one key event per character as a keyboard
// layout of that script sends it (QTest::keyClicks takes only Latin-1).
inline void TypeText(QWidget* widget, const QString& text) {
    for (const char32_t c : text.toUcs4())
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString::fromUcs4(&c, 1), {});
}

// A click near the left edge, where a check or radio box has its mark and
// text, whatever the width of the widget.
inline void Press(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Selects what the box holds and types the text over it.
inline void TypeInto(QWidget* box, const QString& text) {
    Press(box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

inline bool Activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 1000);
}

// A window's Alt key, pressed in one of its widgets once the window is
// active.
inline void AltKey(QWidget* widget, Qt::Key key) {
    Activate(widget->window());
    QTest::keyClick(widget, key, Qt::AltModifier);
}

// Opens the menu bar's menu that holds the entry with the mouse and clicks
// the entry.
inline bool ChooseMenu(QMainWindow* window, QAction* entry) {
    QMenuBar* bar = window->menuBar();
    for (QAction* top : bar->actions()) {
        QMenu* menu = top->menu();
        if (!menu || !menu->actions().contains(entry))
            continue;
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(top).center());
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000))
            return false;
        const QPointer<QMainWindow> alive(window);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
        // The window is active again once the menu has gone (unless the
        // entry closed it).
        if (!alive || !window->isVisible())
            return true;
        const bool gone = QTest::qWaitFor([menu] { return !menu->isVisible(); }, 1000);
        menu->hide();
        return gone && Activate(window);
    }
    return false;
}

inline bool ChooseMenu(QMainWindow* window, const QString& menuTitle, const QString& entry) {
    for (QAction* top : window->menuBar()->actions())
        if (top->text() == menuTitle && top->menu())
            for (QAction* a : top->menu()->actions())
                if (a->text() == entry)
                    return ChooseMenu(window, a);
    return false;
}

// Pops the menu up (a tray or clock menu has no widget to right-click in
// these tests) and clicks its entry.
inline void ChooseFromMenu(QMenu* menu, QAction* entry) {
    // What the event loop does between two clicks: a closed dialog goes.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    menu->popup(QPoint(40, 40));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QVERIFY2(entry->isEnabled(), qPrintable(entry->text()));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
}

// A right click where the platform delivers it, so that the context menu
// opens (shown or run modally), then a click on its entry.
inline bool ChooseFromContextMenu(QWidget* widget, QAction* entry, QPoint at = {4, 4}) {
    bool chosen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !menu->actions().contains(entry))
            return;
        poll.stop();
        chosen = true;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    });
    poll.start(5);
    QWidget* window = widget->window();
    Activate(window);
    QTest::mousePress(window->windowHandle(), Qt::RightButton, {}, widget->mapTo(window, at));
    (void)QTest::qWaitFor([&] { return chosen; }, 1000);
    QTest::mouseRelease(window->windowHandle(), Qt::RightButton, {}, widget->mapTo(window, at));
    return chosen;
}

// Acts on the next pop-up menu or modal window of type T once it is up; gives
// up after ten seconds. A waiter left over goes with its scope, so that it
// cannot act on a later case's window.
template <class T> void WhenUp(std::function<void(T&)> act, QObject* scope = nullptr) {
    auto* poll = new QTimer(scope);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, act, ticks] {
        QWidget* up = QApplication::activePopupWidget();
        T* w = dynamic_cast<T*>(up ? up : QApplication::activeModalWidget());
        if (!w && ++*ticks < 1000)
            return;
        poll->stop();
        poll->deleteLater();
        if (w)
            act(*w);
    });
    poll->start(10);
}

// Uses a main window's command as a user does: its key, else its menu entry,
// else its toolbar button.
inline bool Use(QMainWindow* window, QAction* action) {
    if (!Activate(window))
        return false;
    if (!action->shortcut().isEmpty()) {
        QTest::keySequence(window, action->shortcut());
        return true;
    }
    if (ChooseMenu(window, action))
        return true;
    for (QToolBar* bar : window->findChildren<QToolBar*>())
        if (QWidget* button = bar->widgetForAction(action)) {
            QTest::mouseClick(button, Qt::LeftButton);
            return true;
        }
    return false;
}
