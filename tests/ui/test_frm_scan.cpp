// The due-events window: its rows, images and columns, the commands and the
// change propagation they end with, the view options and their settings.
#include "UiTestEnv.h"
#include "store/DataFile.h"
#include "store/SettingsSchema.h"
#include "ui/DateBox.h"
#include "ui/DescriptionEdit.h"
#include "ui/DueIcons.h"
#include "ui/FrmScan.h"
#include "ui/ListViewSettings.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QPushButton>
#include <QScreen>
#include <memory>

namespace {

QString Cell(const QAbstractItemView* list, int row, int column) {
    return list->model()->index(row, column).data().toString();
}

QImage RowImage(const QAbstractItemView* list, int row) {
    const auto icon = qvariant_cast<QIcon>(list->model()->index(row, 0).data(Qt::DecorationRole));
    return icon.isNull() ? QImage() : icon.pixmap(16, 16).toImage();
}

} // namespace

class TestFrmScan : public QObject {
    Q_OBJECT
    TUiTestEnv Env;
    TTickwellItem* Coming = nullptr;
    TTickwellItem* DueToday = nullptr;
    TTickwellItem* Overdue = nullptr;

    // One event of each due kind, saved and scanned.
    void AddFourKinds() {
        Coming = MakeEvent("Dentist\r\nbring card", Env.Day + 3, true, 0, 1, 7, false);
        DueToday = MakeEvent("Pay rent", Env.Day, true);
        Overdue = MakeEvent("Water plants", Env.Day - 10, false, 1, 1, 0, true);
        for (TTickwellItem* e : {Coming, DueToday, Overdue,
                                 MakeEvent("Return books", Env.Day - 2, true, 0, 1, 0, true)})
            MasterList->AddSorted(e);
        SaveEvents(*MasterList, MasterList->FileName);
        MasterList->Scan();
    }

    std::unique_ptr<TScanFrm> Shown() {
        auto w = std::make_unique<TScanFrm>();
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->show();
        Activate(w.get());
        return w;
    }

    // A key of the window's, pressed in its list.
    static void Key(TScanFrm& w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::AltModifier) {
        Activate(&w);
        QTest::keyClick(w.ScanListView, key, mods);
    }

    // An entry of the list's pop-up menu, opened below the rows.
    static bool Pop(TScanFrm& w, QAction* entry) {
        QWidget* v = w.ScanListView->viewport();
        return ChooseFromContextMenu(v, entry, QPoint(10, v->height() - 10));
    }

    TTickwellItem* OnDisk(const std::string& description) {
        static TMyList loaded;
        loaded.FreeAll();
        TScanList* keep = DueList;
        if (!LoadEvents(loaded, MasterList->FileName))
            return nullptr;
        DueList = keep;
        for (TTickwellItem* e : loaded.All())
            if (e->Description == description)
                return e;
        return nullptr;
    }

private slots:
    void init() {
        Env.Reset();
        StartMode = smMain;
        MainLinks() = TMainWindowLinks{};
        CalendarLinks() = TCalendarWindowLinks{};
        ClockLinks() = TClockLinks{};
    }

    void RowsAndViewOptions_data() {
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("when");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("title");
        QTest::newRow("defaults") << true << "3|-2|0"
                                  << "  Fri, 13 March 2026"
                                  << "Tickwells for Tuesday 10 March 2026";
        QTest::newRow("all off") << false << "3 days|-2 days|0 days"
                                 << "  13/03/2026"
                                 << "Tickwells";
    }

    void RowsAndViewOptions() {
        QFETCH(bool, on);
        QFETCH(QString, when);
        QFETCH(QString, date);
        QFETCH(QString, title);
        if (!on)
            for (const TBoolSetting* s : {&kBriefDays, &kDateStyle, &kShowDate, &kUseIcons})
                WriteSetting(*s, false);
        AddFourKinds();
        auto w = Shown();
        QTreeView* list = w->ScanListView;
        // Due-list order: by the date each reports; the first line only.
        QCOMPARE(ShownTexts(list, 0),
                 (QStringList{"Water plants", "Return books", "Pay rent", "Dentist"}));
        QCOMPARE(Cell(list, 3, 2) + "|" + Cell(list, 1, 2) + "|" + Cell(list, 2, 2), when);
        QCOMPARE(Cell(list, 3, 1), date);
        QVERIFY(list->model()->index(3, 2).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
        QCOMPARE(w->windowTitle(), title);
        const int kinds[] = {dkOverdue, dkPastEnd, dkToday, dkComing};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(RowImage(list, i),
                     on ? DueKindIcon(kinds[i]).pixmap(16, 16).toImage() : QImage());
        QCOMPARE(OpenWindowCount, 1);

        // Each option from the pop-up menu rewrites the rows at once.
        QVERIFY(Pop(*w, w->BriefDaystoEvent1));
        QVERIFY(Pop(*w, w->LD));
        QCOMPARE(Cell(list, 3, 2), on ? "3 days" : "3");
        QCOMPARE(Cell(list, 3, 1), on ? "  13/03/2026" : "  Fri, 13 March 2026");
        QVERIFY(Pop(*w, w->TB));
        QCOMPARE(w->windowTitle(), on ? "Tickwells" : "Tickwells for Tuesday 10 March 2026");
        QVERIFY(Pop(*w, w->SI));
        QCOMPARE(RowImage(list, 0).isNull(), on);
        QVERIFY(Pop(*w, w->SH));
        QVERIFY(list->header()->isHidden());
        w->hide();
        QCOMPARE(OpenWindowCount, 0);
    }

    void WindowSettingsPersist() {
        {
            auto w = Shown();
            // No stored place: centred at the default size.
            QCOMPARE(w->size(), QSize(490, 345));
            const QRect g = QApplication::primaryScreen()->geometry();
            QCOMPARE(w->pos(), QPoint((g.width() - 490) / 2, (g.height() - 345) / 2));
            for (QAction* a : {w->LD, w->SI, w->SH, w->TB, w->BriefDaystoEvent1, w->EnableWav})
                QVERIFY(Pop(*w, a));
            w->resize(520, 300);
            w->move(40, 50);
        }
        const TWinRegistry reg;
        for (const TBoolSetting* s : {&kDateStyle, &kUseIcons, &kHeader, &kShowDate, &kBriefDays})
            QVERIFY2(!ReadSetting(reg, *s), s->Name);
        QVERIFY(ReadSetting(reg, kPlayWav));
        QVERIFY(!reg.ValueExists("QuickMode", "LastRun"));
        auto w = Shown();
        QVERIFY(!w->LD->isChecked());
        QVERIFY(w->EnableWav->isChecked());
        QCOMPARE(w->size(), QSize(520, 300));
        QCOMPARE(w->pos(), QPoint(40, 50));
    }

    void ColumnsKeptUnderTheListKey() {
        AddFourKinds();
        std::string sized;
        {
            auto w = Shown();
            QHeaderView* h = w->ScanListView->header();
            w->ScanListView->setColumnWidth(0, 180);
            sized = "180," + std::to_string(w->ScanListView->columnWidth(1)) + "," +
                    std::to_string(w->ScanListView->columnWidth(2));
            h->moveSection(2, 0);
            ClickHeader(h, 2); // sort by "When", ascending
            ClickHeader(h, 2); // again: descending
        }
        const TRegIniFile ini(kDueListKey);
        QCOMPARE(ini.ReadString("Columns", "Sizes", ""), sized);
        QCOMPARE(ini.ReadString("Columns", "Order", ""), std::string("2,0,1"));
        auto w = Shown();
        QCOMPARE(w->ScanListView->columnWidth(0), 180);
        QCOMPARE(w->ScanListView->header()->logicalIndex(0), 2);
        // Sorted by day count, not by text: 3, 0, -2, -3.
        QCOMPARE(ShownTexts(w->ScanListView, 0),
                 (QStringList{"Dentist", "Pay rent", "Return books", "Water plants"}));
    }

    // A window whose command is not installed: shown, not usable.
    void LinkedWindowsAndNothingSelected() {
        auto w = Shown();
        QVERIFY(w->MainWindow1->isVisible());
        QVERIFY(!w->MainWindow1->isEnabled());
        int shown = 0;
        ClockLinks().ShowMainWindow = [&shown] { ++shown; };
        QVERIFY(Pop(*w, w->MainWindow1));
        QCOMPARE(shown, 1);
        QVERIFY(!w->Options1->isEnabled());
        for (Qt::Key k : {Qt::Key_K, Qt::Key_E, Qt::Key_D})
            Key(*w, k);
        QCOMPARE(Env.Notices, (std::vector<std::pair<std::string, TMsgKind>>{
                                  {"Nothing to Acknowledge", mkInformation},
                                  {"Nothing to Edit", mkInformation},
                                  {"Nothing to Delete", mkInformation}}));
    }

    void AcknowledgeSavesRescansAndDropsTheRow() {
        AddFourKinds();
        std::vector<TTickwellItem*> updated;
        int refreshed = 0;
        QWidget mainWindow, calendar;
        MainLinks().Window = &mainWindow;
        MainLinks().PassesVisibilityTest = [](TTickwellItem*) { return true; };
        MainLinks().UpdateRow = [&updated](TTickwellItem* e) { updated.push_back(e); };
        CalendarLinks().Window = &calendar;
        CalendarLinks().RefreshCalendar = [&refreshed] { ++refreshed; };
        auto w = Shown();
        QVERIFY(ClickRow(w->ScanListView, "Dentist"));
        Key(*w, Qt::Key_K);
        QCOMPARE(Coming->AckDate, Env.Day + 3);
        QCOMPARE(ShownTexts(w->ScanListView, 0),
                 (QStringList{"Water plants", "Return books", "Pay rent"}));
        QCOMPARE(DueList->Count(), 3);
        QCOMPARE(updated, std::vector<TTickwellItem*>{Coming});
        QCOMPARE(refreshed, 1);
        QCOMPARE(OnDisk("Dentist\r\nbring card")->AckDate, Env.Day + 3);
        // The overdue one is acknowledged for the occurrence it reported.
        QVERIFY(ClickRow(w->ScanListView, "Water plants"));
        Key(*w, Qt::Key_K);
        QCOMPARE(OnDisk("Water plants")->AckDate, Overdue->PrevDate);
    }

    void DeleteAsksThenPropagates() {
        AddFourKinds();
        QWidget calendar;
        int refreshed = 0;
        CalendarLinks().Window = &calendar;
        CalendarLinks().RefreshCalendar = [&refreshed] { ++refreshed; };
        auto w = Shown();
        Env.Answer = anCancel;
        QVERIFY(ClickRow(w->ScanListView, "Pay rent"));
        Key(*w, Qt::Key_D);
        QCOMPARE(Env.Questions, std::vector<std::string>{"Delete this Event?"});
        QCOMPARE(MasterList->Count(), 4);
        Env.Answer = anOk;
        Key(*w, Qt::Key_D);
        QCOMPARE(MasterList->Count(), 3);
        QCOMPARE(ShownTexts(w->ScanListView, 0),
                 (QStringList{"Water plants", "Return books", "Dentist"}));
        QCOMPARE(refreshed, 1);
        QCOMPARE(DueList->Count(), 3);
        QVERIFY(!OnDisk("Pay rent"));
        QVERIFY(OnDisk("Return books"));
    }

    void AddAndEditThroughTheEditor() {
        AddFourKinds();
        auto w = Shown();
        std::vector<TTickwellItem*> added;
        QWidget mainWindow;
        MainLinks().Window = &mainWindow;
        MainLinks().PassesVisibilityTest = [](TTickwellItem*) { return true; };
        MainLinks().AddRow = [&added](TTickwellItem* e) { added.push_back(e); };
        WithEditor([&w] { Key(*w, Qt::Key_A); },
                   [](TEditFrm& f) {
                       f.Memo1->setPlainText("Team lunch");
                       f.EventDate->setDate(QDate(2026, 3, 12));
                       QTest::mouseClick(f.Button1, Qt::LeftButton);
                   });
        QCOMPARE(added.size(), size_t(1));
        QCOMPARE(ShownTexts(w->ScanListView, 0).last(), QString("Team lunch"));
        QCOMPARE(ShownTexts(w->ScanListView, 2).last(), QString("2"));
        QVERIFY(OnDisk("Team lunch"));

        // An edit that moves the event out of its notice period drops its row.
        QVERIFY(ClickRow(w->ScanListView, "Pay rent"));
        WithEditor([&w] { Key(*w, Qt::Key_E); },
                   [](TEditFrm& f) {
                       f.EventDate->setDate(QDate(2026, 6, 1));
                       QTest::mouseClick(f.Button1, Qt::LeftButton);
                   });
        QVERIFY(!ShownTexts(w->ScanListView, 0).contains("Pay rent"));
        QCOMPARE(OnDisk("Pay rent")->StartDate, EncodeDate(2026, 6, 1));
    }

    void DueEventsModeEndsTheProgram() {
        StartMode = smDue;
        auto w = Shown();
        QCOMPARE(w->CloseBtn->text(), QString("E&xit"));
        QVERIFY(!w->ExitApplication1->isVisible());
        w->setAttribute(Qt::WA_DeleteOnClose, true);
        QPointer<TScanFrm> p(w.release());
        // The Exit item is hidden, but its key (now the Exit button's) still
        // closes the window.
        Key(*p, Qt::Key_X);
        QTRY_VERIFY(p.isNull());
        QCOMPARE(ReadLastRun(TWinRegistry()), Env.Day);
        QCOMPARE(Env.EndRequests, 1);
        StartMode = smMain;
    }

    void ShownModallyUntilClosed() {
        auto* w = new TScanFrm;
        QPointer<TScanFrm> p(w);
        QTimer::singleShot(0, w, [w] { QTest::mouseClick(w->CloseBtn, Qt::LeftButton); });
        QTimer::singleShot(3000, w, [w] { w->close(); });
        w->ExecModal();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(p.isNull());
    }

    void CloseAndExitByStartMode() {
        QWidget mainWindow;
        mainWindow.show();
        MainLinks().Window = &mainWindow;
        auto w = Shown();
        Key(*w, Qt::Key_X);
        QVERIFY(!mainWindow.isVisible());
        int exits = 0;
        ClockLinks().ExitProgram = [&exits] { ++exits; };
        StartMode = smTray;
        Key(*w, Qt::Key_X);
        QCOMPARE(exits, 1);
        StartMode = smMain;
        w->QuitOnClose = true;
        QTest::mouseClick(w->CloseBtn, Qt::LeftButton);
        QCOMPARE(Env.EndRequests, 1);
        QVERIFY(!w->isVisible());
    }

    // A missing sound file, or one that holds no sound: no message, the
    // window shows.
    void SoundNeverStopsTheWindow() {
        WriteSetting(kPlayWav, true);
        WriteSetting(kWavFile, (Env.Home.path() + "/missing.wav").toStdString());
        QVERIFY(!Shown()->SoundStarted());
        const QString wav = Env.Home.path() + "/chime.wav";
        QFile f(wav);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("RIFF....WAVEfmt ");
        f.close();
        WriteSetting(kWavFile, wav.toStdString());
        auto w = Shown();
        QTest::qWait(20);
        QVERIFY(Env.Notices.empty());
    }
};

QTEST_MAIN(TestFrmScan)
#include "test_frm_scan.moc"
