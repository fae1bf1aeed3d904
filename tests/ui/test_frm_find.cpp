// The find dialog's stepping through the list, the main window's search of
// its events, and the About box's links.
#include "UiTestEnv.h"
#include "ui/FrmAbt.h"
#include "ui/FrmFind.h"
#include "ui/FrmMain.h"
#include "ui/UrlLabel.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

class TestFrmFind : public QObject {
    Q_OBJECT
    TUiTestEnv Env;
    QTreeWidget List;

    int Selected() const {
        const QList<QTreeWidgetItem*> sel = List.selectedItems();
        return sel.isEmpty() ? -1 : List.indexOfTopLevelItem(sel.first());
    }

private slots:
    void init() {
        Env.Reset();
        List.clear();
        for (const char* text :
             {"Dentist", "Pay the RENT", "Car service", "rent review", "Birthday"})
            List.addTopLevelItem(new QTreeWidgetItem(QStringList{text, "other column rent"}));
    }

    void stepsThroughMatchesWithoutWrapping() {
        TFindDlg dlg(nullptr, &List);
        dlg.show();
        List.setCurrentItem(List.topLevelItem(4));
        dlg.FindText->setText("rEnT");
        // The first search after showing starts at the top, not below the
        // selected row.
        QTest::mouseClick(dlg.FindBtn, Qt::LeftButton);
        QCOMPARE(Selected(), 1);
        QCOMPARE(dlg.FindBtn->text(), QString("&Find Next"));
        QTest::mouseClick(dlg.FindBtn, Qt::LeftButton);
        QCOMPARE(Selected(), 3);
        QVERIFY(Env.Notices.empty());
        QTest::mouseClick(dlg.FindBtn, Qt::LeftButton);
        QCOMPARE(Env.Notices, (decltype(Env.Notices){{"RENT not found!", mkInformation}}));
        QCOMPARE(Selected(), 3);
        // Still no wrap: the search goes on below the selected row.
        QTest::mouseClick(dlg.FindBtn, Qt::LeftButton);
        QCOMPARE(Env.Notices.size(), size_t(2));
        // Showing the dialog again starts from the top.
        dlg.hide();
        dlg.show();
        QCOMPARE(dlg.FindBtn->text(), QString("&Find"));
        QVERIFY(dlg.FromStartFlag());
        QTest::mouseClick(dlg.FindBtn, Qt::LeftButton);
        QCOMPARE(Selected(), 1);
    }

    void notFoundTexts_data() {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << ""
                               << " not found!";
        QTest::newRow("absent") << "dog"
                                << "DOG not found!";
        QTest::newRow("only in another column") << "other"
                                                << "OTHER not found!";
    }
    void notFoundTexts() {
        QFETCH(QString, needle);
        QFETCH(QString, message);
        TFindDlg dlg(nullptr, &List);
        dlg.show();
        dlg.FindText->setText(needle);
        QTest::mouseClick(dlg.FindBtn, Qt::LeftButton);
        QCOMPARE(Env.LastNotice(), message.toStdString());
        QVERIFY(dlg.FromStartFlag());
        QCOMPARE(dlg.FindBtn->text(), QString("&Find"));
    }

    // The main window's search reads the events themselves: upper case as
    // QString makes it, of any letters, in the first line only.
    void searchesTheMainWindowsEvents_data() {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QString>("found");
        QTest::newRow("plain letters") << "dEnT"
                                       << "Dentist";
        QTest::newRow("an accented letter") << "CAFé"
                                            << "Café au lait";
        QTest::newRow("upper case longer than the text") << "straße"
                                                         << "Strasse fest";
        QTest::newRow("in an accented text") << "große"
                                             << "Große Straße";
        QTest::newRow("only in a second line") << "forms"
                                               << "";
    }
    void searchesTheMainWindowsEvents() {
        QFETCH(QString, needle);
        QFETCH(QString, found);
        StartMode = smMain;
        MainLinks() = {};
        const char* texts[] = {"Dentist\r\nbring the forms", "Café au lait", "Strasse fest",
                               "Große Straße"};
        for (int i = 0; i < 4; ++i)
            MasterList->AddSorted(MakeEvent(texts[i], Env.Day + 1 + i, true));
        TMainFrm w;
        w.show();
        QVERIFY(Activate(&w));
        QTimer::singleShot(0, [needle] {
            if (auto* dlg = qobject_cast<TFindDlg*>(QApplication::activeModalWidget())) {
                // Each character typed as a key of its own, whatever the letter.
                for (const QChar c : needle)
                    QTest::sendKeyEvent(QTest::Click, dlg->FindText, Qt::Key_unknown, QString(c),
                                        Qt::NoModifier);
                QTest::mouseClick(dlg->FindBtn, Qt::LeftButton);
                QTest::mouseClick(dlg->Button2, Qt::LeftButton);
            }
        });
        QTest::keyClick(&w, Qt::Key_F, Qt::AltModifier);
        const QModelIndexList selected = w.ListView()->selectionModel()->selectedIndexes();
        QCOMPARE(selected.isEmpty() ? QString() : selected[0].siblingAtColumn(0).data().toString(),
                 found);
        QCOMPARE(Env.LastNotice(), found.isEmpty()
                                       ? (needle.toUpper() + " not found!").toStdString()
                                       : std::string());
    }

    // A link opens its address, or its caption when it has none, trimmed;
    // its menu copies the caption; the active colour shows only while the
    // button is held.
    void aboutBoxLinks() {
        TAboutDlg dlg;
        QVERIFY(QRegularExpression("^Version \\d+\\.\\d+").match(VersionText()).hasMatch());
        QVERIFY(dlg.UrlLabel2->URL.startsWith("mailto:"));
        QStringList opened;
        TUrlLabel::SetOpener([&](const QString& url) { opened << url; });
        TUrlLabel label("  caption text  ");
        label.show();
        for (const char* url : {"  https://example.org/x  ", "   "}) {
            label.URL = url;
            const QColor before = label.palette().color(label.foregroundRole());
            QTest::mousePress(&label, Qt::LeftButton);
            QCOMPARE(label.palette().color(label.foregroundRole()), QColor(0x80, 0x00, 0x80));
            QTest::mouseRelease(&label, Qt::LeftButton);
            QCOMPARE(label.palette().color(label.foregroundRole()), before);
        }
        QVERIFY(ChooseFromContextMenu(&label, label.actions().first()));
        QCOMPARE(QApplication::clipboard()->text(), QString("  caption text  "));
        label.setText("   "); // nothing to open
        QTest::mouseClick(&label, Qt::LeftButton);
        QCOMPARE(opened, QStringList({"https://example.org/x", "caption text"}));
        TUrlLabel::SetOpener({});
    }
};

QTEST_MAIN(TestFrmFind)
#include "test_frm_find.moc"
