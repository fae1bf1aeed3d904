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
#include <QStringList>
#include <QtTest>
#include <algorithm>

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

// The row whose first column shows the text, or an invalid index.
inline QModelIndex RowShowing(const QAbstractItemView* view, const QString& text) {
    const QAbstractItemModel* m = view->model();
    for (int r = 0; r < m->rowCount(); ++r)
        if (m->index(r, 0).data().toString() == text)
            return m->index(r, 0);
    return {};
}

inline bool ClickRow(QAbstractItemView* view, const QString& text) {
    const QModelIndex index = RowShowing(view, text);
    if (!index.isValid())
        return false;
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    return true;
}

// A click on the middle of the header section of a column.
inline void ClickHeader(QHeaderView* header, int column) {
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

inline bool Activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 1000);
}

// Opens a menu of the menu bar with the mouse and clicks one of its entries.
inline bool ChooseMenu(QMainWindow* window, const QString& menuTitle, const QString& entry) {
    QMenuBar* bar = window->menuBar();
    for (QAction* top : bar->actions()) {
        if (top->text() != menuTitle || !top->menu())
            continue;
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(top).center());
        QMenu* menu = top->menu();
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000))
            return false;
        for (QAction* a : menu->actions())
            if (a->text() == entry) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
                // The window is active again once the menu has gone.
                return QTest::qWaitFor([menu] { return !menu->isVisible(); }, 1000) &&
                       Activate(window);
            }
        menu->hide();
    }
    return false;
}
