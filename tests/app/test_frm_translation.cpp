// The windows in German, with the translation the build makes, loaded as the
// program loads it: what the menus, the editor, the due-events window, the
// options and a message box say, read through the widgets.
#include "UiTestEnv.h"
#include "app/MessageBoxes.h"
#include "app/Translations.h"
#include "ui/FrmMain.h"
#include "ui/FrmOptn.h"
#include "ui/FrmScan.h"
#include <QComboBox>
#include <QHeaderView>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>

namespace {

QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* a : actions)
        if (!a->isSeparator() && a->isVisible())
            texts << a->text();
    return texts;
}

QString Heading(const QTreeView* view, int column) {
    return view->model()->headerData(column, Qt::Horizontal).toString();
}

// No letter underlined twice in a menu, so that each Alt key chooses one
// entry.
void LettersOnceInEachMenu(const QWidget* window) {
    for (const QMenu* menu : window->findChildren<QMenu*>()) {
        QSet<QChar> keys;
        for (const QString& text : Texts(menu->actions())) {
            const qsizetype amp = text.indexOf('&');
            if (amp < 0)
                continue;
            const QChar key = text[amp + 1].toLower();
            QVERIFY2(!keys.contains(key), qPrintable(menu->title() + ": " + text));
            keys.insert(key);
        }
    }
}

} // namespace

class TestFrmTranslation : public QObject {
    Q_OBJECT
    TUiTestEnv Env;

private slots:
    void initTestCase() {
        // English is the source: there is nothing to load for it.
        QVERIFY(!InstallTranslations(QLocale(QLocale::English, QLocale::UnitedKingdom),
                                     {TICKWELL_QM_DIR}));
        QVERIFY(InstallTranslations(QLocale(QLocale::German, QLocale::Germany), {TICKWELL_QM_DIR}));
    }
    void init() { Env.Reset(); }

    // Every menu in German, each letter underlined once in its menu; the
    // quarter days named in German in the list.
    void MainWindowMenus() {
        Env.Add(MakeEvent("Rent", Env.Day + 2, false, etAccounting));
        TTestWindow<TMainFrm> w(*Env.Events);
        QCOMPARE(Texts(w->menuBar()->actions()),
                 QStringList({"&Datei", "&Termine", "&Ansicht", "&Fenster", "&Hilfe"}));
        LettersOnceInEachMenu(w.W);
        QCOMPARE(Heading(w->ListView(), 0), QString("Terminbeschreibung"));
        QVERIFY(ShownTexts(w->ListView(), 3).contains("Quartalstage"));

        // The editor, opened from the menu with the mouse.
        WithDialog([&] { QVERIFY(ChooseMenu(w.W, "&Termine", "Termin &hinzufügen...")); },
                   [](TEditFrm& dlg) {
                       QCOMPARE(dlg.windowTitle(), QString("Termin hinzufügen"));
                       QCOMPARE(dlg.findChild<QPushButton*>("CancelBtn")->text(),
                                QString("&Abbrechen"));
                       auto* types = dlg.findChild<QComboBox*>("TypeCombo");
                       QCOMPARE(types->itemText(types->count() - 1), QString("Quartalstage"));
                       Press(dlg.findChild<QPushButton*>("CancelBtn"));
                   });
    }

    // The engine's English question reaches the box in German, with Qt's
    // own German buttons.
    void MessageBox() {
        InstallMessageBoxes();
        Env.Add(MakeEvent("Old", Env.Day - 30, true));
        TTestWindow<TMainFrm> w(*Env.Events);
        QString text;
        QStringList buttons;
        WhenUp<QMessageBox>([&](QMessageBox& box) {
            text = box.text();
            for (const QAbstractButton* b : box.buttons())
                buttons << b->text();
            box.button(QMessageBox::No)->click();
        });
        QVERIFY(ChooseMenu(w.W, "&Datei", "Be&reinigen"));
        QVERIFY(QTest::qWaitFor([&] { return !text.isEmpty(); }, 5000));
        QCOMPARE(text, QString("Dies löscht alle abgelaufenen Termine. Fortfahren?"));
        QVERIFY2(buttons.contains("&Nein") && buttons.contains("Abbrechen"),
                 qPrintable(buttons.join(' ')));
        QCOMPARE(Env.Book->MasterList.Count(), 1);
    }

    void DueWindowAndOptions() {
        Env.Add(MakeEvent("Due", Env.Day, true));
        TTestWindow<TScanFrm> due(*Env.Events);
        QCOMPARE(due->AckBtn->text(), QString("&Bestätigen"));
        LettersOnceInEachMenu(due.W);
        QCOMPARE(Heading(due->findChild<QTreeView*>(), 2), QString("Wann"));

        TTestWindow<TOptionDlg> options(*Env.Book);
        QCOMPARE(options->PageTabs->tabText(TOptionDlg::pgSchedule), QString("Zeitplan"));
        QCOMPARE(options->CancelBtn->text(), QString("&Abbrechen"));
    }
};

QTEST_MAIN(TestFrmTranslation)
#include "test_frm_translation.moc"
