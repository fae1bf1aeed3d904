// The due-events window: its rows, images and columns, the commands and the
// change propagation they end with, the view options and their settings.
#include "UiInput.h"
#include "UiTestEnv.h"
#include "store/DataFile.h"
#include "store/SettingsSchema.h"
#include "ui/DateBox.h"
#include "ui/DescriptionEdit.h"
#include "ui/DueIcons.h"
#include "ui/EventTableModel.h"
#include "ui/FrmEdit.h"
#include "ui/FrmScan.h"
#include "ui/ListViewSettings.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <QtTest>
#include <memory>

namespace {

QString Cell(const QAbstractItemView* list, int row, int column, int role = Qt::DisplayRole) {
    return list->model()->index(row, column).data(role).toString();
}

QIcon RowIcon(const QAbstractItemView* list, int row) {
    return qvariant_cast<QIcon>(list->model()->index(row, 0).data(Qt::DecorationRole));
}

QImage IconImage(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage();
}

} // namespace

class TestFrmScan : public QObject {
    Q_OBJECT
    TUiTestEnv Env;
    TTickwellItem* Coming = nullptr;
    TTickwellItem* DueToday = nullptr;
    TTickwellItem* Overdue = nullptr;
    TTickwellItem* PastEnd = nullptr;

    // One event of each due kind, saved and scanned.
    void AddFourKinds() {
        Coming = MakeEvent("Dentist\r\nbring card", Env.Day + 3, true, 0, 1, 7, false);
        DueToday = MakeEvent("Pay rent", Env.Day, true);
        Overdue = MakeEvent("Water plants", Env.Day - 10, false, 1, 1, 0, true);
        PastEnd = MakeEvent("Return books", Env.Day - 2, true, 0, 1, 0, true);
        for (TTickwellItem* e : {Coming, DueToday, Overdue, PastEnd})
            MasterList->AddSorted(e);
        SaveEvents(*MasterList, MasterList->FileName);
        MasterList->Scan();
    }

    std::unique_ptr<TScanFrm> Shown() {
        auto w = std::make_unique<TScanFrm>();
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->show();
        return w;
    }

    void Select(TScanFrm& w, const std::string& firstLine) {
        const QModelIndex row = RowShowing(w.ScanListView, QString::fromStdString(firstLine));
        QVERIFY2(row.isValid(), ("no row " + firstLine).c_str());
        w.ScanListView->setCurrentIndex(row);
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
        QTest::addColumn<QString>("past");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("title");
        QTest::newRow("defaults") << true << "3"
                                  << "-2"
                                  << "  Fri, 13 March 2026"
                                  << "Tickwells for Tuesday 10 March 2026";
        QTest::newRow("all off") << false << "3 days"
                                 << "-2 days"
                                 << "  13/03/2026"
                                 << "Tickwells";
    }

    void RowsAndViewOptions() {
        QFETCH(bool, on);
        QFETCH(QString, when);
        QFETCH(QString, past);
        QFETCH(QString, date);
        QFETCH(QString, title);
        if (!on)
            for (const TBoolSetting* s : {&kBriefDays, &kDateStyle, &kShowDate, &kUseIcons})
                WriteSetting(*s, false);
        AddFourKinds();
        auto w = Shown();
        QTreeView* list = w->ScanListView;
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), QString("Event"));
        QCOMPARE(list->model()->headerData(1, Qt::Horizontal).toString(), QString("Date"));
        QCOMPARE(list->model()->headerData(2, Qt::Horizontal).toString(), QString("When"));
        // Due-list order: by the date each reports; the first line only.
        QCOMPARE(ShownTexts(list, 0),
                 (QStringList{"Water plants", "Return books", "Pay rent", "Dentist"}));
        QCOMPARE(Cell(list, 3, 2), when);
        QCOMPARE(Cell(list, 1, 2), past);
        QCOMPARE(Cell(list, 2, 2), on ? "0" : "0 days");
        QCOMPARE(Cell(list, 3, 1), date);
        QVERIFY(list->model()->index(3, 2).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
        QCOMPARE(w->windowTitle(), title);
        const int kinds[] = {dkOverdue, dkPastEnd, dkToday, dkComing};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(int(w->Rows->EventAt(i)->DueKind), kinds[i]);
            QCOMPARE(RowIcon(list, i).isNull(), !on);
            if (on)
                QCOMPARE(IconImage(RowIcon(list, i)), IconImage(DueKindIcon(kinds[i])));
        }
        QCOMPARE(OpenWindowCount, 1);

        // Toggling from the menu rewrites the rows at once.
        w->BriefDaystoEvent1->trigger();
        w->LD->trigger();
        QCOMPARE(Cell(list, 3, 2), on ? "3 days" : "3");
        QCOMPARE(Cell(list, 3, 1), on ? "  13/03/2026" : "  Fri, 13 March 2026");
        w->TB->trigger();
        QCOMPARE(w->windowTitle(), on ? "Tickwells" : "Tickwells for Tuesday 10 March 2026");
        w->SI->trigger();
        QCOMPARE(RowIcon(list, 0).isNull(), on);
        w->SH->trigger();
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
                a->trigger();
            w->resize(520, 300);
            w->move(40, 50);
        }
        const TWinRegistry reg;
        for (const TBoolSetting* s : {&kDateStyle, &kUseIcons, &kHeader, &kShowDate, &kBriefDays})
            QVERIFY2(!ReadSetting(reg, *s), s->Name);
        QVERIFY(ReadSetting(reg, kPlayWav));
        QVERIFY(reg.ValueExists("Scan Options", "Grey"));
        QCOMPARE(ReadSetting(reg, kFormsWs), 520);
        QCOMPARE(ReadSetting(reg, kFormsHs), 300);
        QCOMPARE(ReadSetting(reg, kFormsLs), 40);
        QCOMPARE(ReadSetting(reg, kFormsTs), 50);
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
            QCOMPARE(ShownTexts(w->ScanListView, 0).first(), QString("Dentist"));
        }
        const TRegIniFile ini(kDueListKey);
        QCOMPARE(ini.ReadString("Columns", "Sizes", ""), sized);
        QCOMPARE(ini.ReadString("Columns", "Order", ""), std::string("2,0,1"));
        QCOMPARE(ini.ReadString("Sort", "Ascending", ""), std::string("0"));
        QCOMPARE(ini.ReadString("Sort", "SortCol", ""), std::string("2"));
        auto w = Shown();
        QCOMPARE(w->ScanListView->columnWidth(0), 180);
        QCOMPARE(w->ScanListView->header()->logicalIndex(0), 2);
        // Sorted by day count, not by text: 3, 0, -2, -3.
        QCOMPARE(ShownTexts(w->ScanListView, 0),
                 (QStringList{"Dentist", "Pay rent", "Return books", "Water plants"}));
    }

    void PopUpMenuInOrder() {
        auto w = Shown();
        QStringList captions;
        for (QAction* a : w->ScanPop->actions())
            captions << (a->isSeparator() ? "-" : a->text() + "|" + a->shortcut().toString());
        QCOMPARE(captions, (QStringList{"Ac&knowledge|Alt+K",
                                        "&Add an Event|Alt+A",
                                        "&Edit Event|Alt+E",
                                        "&Delete Event|Alt+D",
                                        "-",
                                        "Use &Long Date style|",
                                        "Display &Icons|",
                                        "Show &Header|",
                                        "Show date in &Title Bar|",
                                        "Brief \"Days to Event\"|",
                                        "-",
                                        "E&nable Sound|",
                                        "-",
                                        "Abo&ut|",
                                        "Hel&p|F1",
                                        "-",
                                        "Main Window|",
                                        "Calendar|",
                                        "Options...|",
                                        "-",
                                        "Clo&se|Esc",
                                        "Exit Tickwell|Alt+X"}));
        QCOMPARE(w->CloseBtn->text(), QString("&Close"));
        // A window whose command is not installed: shown, not usable.
        QVERIFY(w->MainWindow1->isVisible());
        QVERIFY(!w->MainWindow1->isEnabled());
        int shown = 0;
        ClockLinks().ShowMainWindow = [&shown] { ++shown; };
        emit w->ScanPop->aboutToShow();
        QVERIFY(w->MainWindow1->isEnabled());
        QVERIFY(!w->Options1->isEnabled());
        w->MainWindow1->trigger();
        QCOMPARE(shown, 1);
    }

    void NothingSelectedNotices() {
        auto w = Shown();
        for (QAction* a : {w->Acknowledge1, w->Edit1, w->Delete1})
            a->trigger();
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
        Select(*w, "Dentist");
        w->Acknowledge1->trigger();
        QCOMPARE(Coming->AckDate, Env.Day + 3);
        QCOMPARE(ShownTexts(w->ScanListView, 0),
                 (QStringList{"Water plants", "Return books", "Pay rent"}));
        QCOMPARE(DueList->Count(), 3);
        QCOMPARE(updated, std::vector<TTickwellItem*>{Coming});
        QCOMPARE(refreshed, 1);
        QCOMPARE(OnDisk("Dentist\r\nbring card")->AckDate, Env.Day + 3);
        // The overdue one is acknowledged for the occurrence it reported.
        Select(*w, "Water plants");
        w->Acknowledge1->trigger();
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
        Select(*w, "Pay rent");
        w->Delete1->trigger();
        QCOMPARE(Env.Questions, std::vector<std::string>{"Delete this Event?"});
        QCOMPARE(w->ScanListView->model()->rowCount(), 4);
        QCOMPARE(MasterList->Count(), 4);

        Env.Answer = anOk;
        w->Delete1->trigger();
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
        WithEditor([&w] { w->New1->trigger(); },
                   [](TEditFrm& f) {
                       f.Memo1->setPlainText("Team lunch");
                       f.EventDate->setDate(QDate(2026, 3, 12));
                       f.Button1->click();
                   });
        QCOMPARE(MasterList->Count(), 5);
        QCOMPARE(added.size(), size_t(1));
        QCOMPARE(ShownTexts(w->ScanListView, 0).last(), QString("Team lunch"));
        QCOMPARE(ShownTexts(w->ScanListView, 2).last(), QString("2"));
        QVERIFY(OnDisk("Team lunch"));

        // An edit that moves the event out of its notice period drops its row.
        Select(*w, "Pay rent");
        WithEditor([&w] { w->Edit1->trigger(); },
                   [](TEditFrm& f) {
                       f.EventDate->setDate(QDate(2026, 6, 1));
                       f.Button1->click();
                   });
        QCOMPARE(DueToday->StartDate, EncodeDate(2026, 6, 1));
        QVERIFY(!ShownTexts(w->ScanListView, 0).contains("Pay rent"));
        QCOMPARE(OnDisk("Pay rent")->StartDate, EncodeDate(2026, 6, 1));
    }

    void DueEventsModeEndsTheProgram() {
        StartMode = smDue;
        auto w = Shown();
        QCOMPARE(w->CloseBtn->text(), QString("E&xit"));
        QCOMPARE(w->Close1->text(), QString("E&xit"));
        QVERIFY(!w->ExitApplication1->isVisible());
        QCOMPARE(Env.EndRequests, 0);
        w->setAttribute(Qt::WA_DeleteOnClose, true);
        QPointer<TScanFrm> p(w.release());
        // The Exit item is hidden, but its key still closes the window.
        QTest::keyClick(p->ScanListView, Qt::Key_X, Qt::AltModifier);
        QTest::qWait(1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(p.isNull());
        QCOMPARE(ReadLastRun(TWinRegistry()), Env.Day);
        QCOMPARE(Env.EndRequests, 1);
        StartMode = smMain;
    }

    void ShownModallyUntilClosed() {
        auto* w = new TScanFrm;
        QPointer<TScanFrm> p(w);
        QTimer::singleShot(0, w, [w] { w->CloseBtnClick(); });
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
        w->ExitApplication1->trigger();
        QVERIFY(!mainWindow.isVisible());
        int exits = 0;
        ClockLinks().ExitProgram = [&exits] { ++exits; };
        StartMode = smTray;
        w->ExitApplication1->trigger();
        QCOMPARE(exits, 1);
        StartMode = smMain;
        w->QuitOnClose = true;
        w->CloseBtnClick();
        QCOMPARE(Env.EndRequests, 1);
        QVERIFY(!w->isVisible());
    }

    void SoundNeverStopsTheWindow() {
        WriteSetting(kPlayWav, true);
        WriteSetting(kWavFile, (Env.Home.path() + "/missing.wav").toStdString());
        {
            auto w = Shown();
            QVERIFY(!w->SoundStarted());
        }
        // A file that exists but holds no sound: handed over, no message.
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
