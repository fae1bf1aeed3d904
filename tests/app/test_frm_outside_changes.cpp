// Windows open while another program writes the events file: the real
// tickwell-cli makes the change, the running program's watcher takes it in.
// Also the editor open over such a change, and saves that cannot be made.
#include "UiTestEnv.h"
#include "app/DataFileWatcher.h"
#include "app/Startup.h"
#include "app/TickwellApp.h"
#include "app/UnsavedOnExit.h"
#include "core/EventId.h"
#include "ical/VdirSync.h"
#include "platform/Paths.h"
#include "store/DataFile.h"
#include "store/DataFileSync.h"
#include "store/ReadOnlyMode.h"
#include "store/Settings.h"
#include "ui/DescriptionEdit.h"
#include "ui/EventListView.h"
#include "ui/FrmCal.h"
#include "ui/FrmMain.h"
#include "ui/FrmScan.h"
#include "ui/MyCal.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <csignal>
#include <sys/resource.h>
#include <utility>

class TestOutsideChanges : public QObject {
    Q_OBJECT
    TUiTestEnv Env;
    std::unique_ptr<TVdirLink> Vdir;
    std::unique_ptr<TDataFileWatcher> Watcher;
    TMainFrm* Main = nullptr;
    TScanFrm* Due = nullptr;
    TCalFrm* Cal = nullptr;

    std::string IdOf(const std::string& description) const {
        for (const TTickwellItem* e : Env.Book->MasterList.All())
            if (e->Description == description)
                return EventId(*e);
        return "none";
    }
    // The real command-line program, on the test's day.
    void Cli(QStringList args) {
        QProcess cli;
        cli.start(TICKWELL_CLI_PATH, QStringList{"--date", "2026-03-10", "--yes"} + args);
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
    }
    template <class Events> static QStringList Sorted(const Events& events) {
        QStringList out;
        for (const TTickwellItem* e : events)
            out << QString::fromStdString(e->Description);
        out.sort();
        return out;
    }
    // What the file holds now.
    QStringList OnDisk() const {
        TMyList list;
        LoadEvents(list, Env.Book->MasterList.FileName);
        return Sorted(list.All());
    }
    // The calendar's cell of a day of the test's month.
    QStringList CalendarCell(int day) const {
        const int offset = day - Cal->Cal->FirstCellDay();
        return Sorted(Cal->DayCellEvents(offset % 7, offset / 7 + 1));
    }
    QByteArray FileBytes() const {
        QFile f(QString::fromStdString(Env.Book->MasterList.FileName));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // As another program writing in place would.
    void WriteFile(const QByteArray& bytes) const {
        QFile f(QString::fromStdString(Env.Book->MasterList.FileName));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    bool CanAdd() const { return Main->findChild<QAction*>("AddEventAction")->isEnabled(); }
    // Adds Delta in the editor; while it is up the disk fills (until the test
    // lifts the limit again) or else another program makes the file unreadable.
    rlimit FileLimit{};
    void AddDelta(bool diskFull) {
        WithDialog([this] { QVERIFY(ChooseMenu(Main, "Even&ts", "&Add event...")); },
                   [&](TEditFrm& f) {
                       const rlimit small{300, FileLimit.rlim_max};
                       diskFull ? void(setrlimit(RLIMIT_FSIZE, &small))
                                : WriteFile(QByteArray(292, '\xff'));
                       QTest::keyClicks(f.DescriptionEdit, "Delta");
                       QTest::mouseClick(f.OkBtn, Qt::LeftButton);
                   });
    }

private slots:
    void init() {
        Env.Reset();
        getrlimit(RLIMIT_FSIZE, &FileLimit);
        std::signal(SIGXFSZ, SIG_IGN);
        Env.Add(MakeEvent("Alpha", Env.Day + 3, true));
        Env.Add(MakeEvent("Beta", Env.Day - 30, false, 1, 1, 0));
        Env.Add(MakeEvent("Gamma", Env.Day + 40, true));
        SaveEvents(static_cast<const TListSorted&>(Env.Book->MasterList),
                   Env.Book->MasterList.FileName);
        Env.Book->MasterList.FreeAll();
        LoadSynced(Env.Book->MasterList);
        Watcher = std::make_unique<TDataFileWatcher>(*Env.Book, Vdir);
        Main = ShowMainFrm(*Env.Events);
        Due = ShowDueEventsWindow(*Env.Events);
        (Cal = new TCalFrm(*Env.Events))->show();
        QVERIFY(QTest::qWaitForWindowExposed(Main));
    }
    void cleanup() {
        delete Cal;
        delete Due;
        delete Main;
        Watcher.reset();
        Vdir.reset();
        TSettings().Set(kSyncFolder, std::string());
        EndReadOnly();
        setrlimit(RLIMIT_FSIZE, &FileLimit);
        std::signal(SIGXFSZ, SIG_DFL);
    }

    // Rows sorted, one space apart; the command's second word an event's name.
    void WindowsFollowOutsideChanges_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("mainRows");
        QTest::addColumn<QString>("dueRows");
        QTest::addColumn<QString>("on13th"); // the calendar's
        auto row = [](const char* tag, QString command, QString main, QString due, QString cal) {
            QTest::newRow(tag) << command << main << due << cal;
        };
        row("add", "add --desc Delta --start 2026-03-13", "Alpha Beta Delta Gamma", "Alpha Delta",
            "Alpha Delta");
        row("acknowledge", "ack Alpha", "Alpha Beta Gamma", "", "Alpha");
        row("delete the selected", "delete Alpha", "Beta Gamma", "", "");
    }
    // Alpha selected: it stays selected while it stays in the file.
    void WindowsFollowOutsideChanges() {
        QFETCH(QString, command);
        QFETCH(QString, mainRows);
        QFETCH(QString, dueRows);
        QFETCH(QString, on13th);
        QStringList args = command.split(' ');
        args[1] = args[0] == "add" ? args[1] : QString::fromStdString(IdOf(args[1].toStdString()));
        QVERIFY(ClickRow(Main->ListView(), "Alpha"));
        Cli(args);
        QTRY_COMPARE_WITH_TIMEOUT(SortedTexts(Main->ListView()).join(' '), mainRows, 30000);
        QTRY_COMPARE_WITH_TIMEOUT(SortedTexts(Due->ScanListView).join(' '), dueRows, 500);
        QTRY_COMPARE_WITH_TIMEOUT(CalendarCell(13).join(' '), on13th, 500);
        const TTickwellItem* chosen = Main->ListView()->SelectedEvent();
        QCOMPARE(chosen ? QString::fromStdString(chosen->Description) : QString(),
                 mainRows.contains("Alpha") ? "Alpha" : "");
        QVERIFY(Env.Notices.empty());
    }

    // A folder chosen in the options takes the events; an item vdirsyncer
    // brings from another machine shows, and one added here is written.
    void SyncFolderIsFollowedBothWays() {
        const QString folder = Env.Home.path() + "/calendar";
        QVERIFY(QDir().mkpath(folder));
        const auto items = [&] { return QDir(folder).entryList({"*.ics"}).size(); };
        TSettings().Set(kSyncFolder, folder.toStdString());
        QTRY_COMPARE_WITH_TIMEOUT(items(), 3, 30000);
        QFile party(folder + "/party.ics");
        QVERIFY(party.open(QIODevice::WriteOnly));
        party.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:party\r\n"
                    "DTSTART;VALUE=DATE:20260314\r\nSUMMARY:Party\r\nEND:VEVENT\r\n"
                    "END:VCALENDAR\r\n");
        party.close();
        QTRY_COMPARE_WITH_TIMEOUT(SortedTexts(Main->ListView()).join(' '),
                                  QString("Alpha Beta Gamma Party"), 30000);
        WithDialog([this] { QVERIFY(ChooseMenu(Main, "Even&ts", "&Add event...")); },
                   [](TEditFrm& f) {
                       QTest::keyClicks(f.DescriptionEdit, "Delta");
                       QTest::mouseClick(f.OkBtn, Qt::LeftButton);
                   });
        QCOMPARE(items(), 5);
    }

    // The editor open while another program deletes or acknowledges the
    // event: OK applies the edit to what is in the file, or asks first when
    // the event is gone from it.
    void EditorKeepsTheUsersWork_data() {
        QTest::addColumn<QString>("outside");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("stored"); // sorted, one space apart
        QTest::newRow("deleted, added as new")
            << "delete" << int(anYes) << "Alpha edited Beta Gamma";
        QTest::newRow("deleted, dropped") << "delete" << int(anNo) << "Beta Gamma";
        QTest::newRow("acknowledged") << "ack" << int(anNo) << "Alpha edited Beta Gamma";
    }
    void EditorKeepsTheUsersWork() {
        QFETCH(QString, outside);
        QFETCH(int, answer);
        QFETCH(QString, stored);
        Env.Answer = static_cast<TAnswer>(answer);
        const QString id = QString::fromStdString(IdOf("Alpha"));
        QVERIFY(ClickRow(Main->ListView(), "Alpha"));
        WithDialog([this] { QTest::keyClick(Main->ListView(), Qt::Key_Return); },
                   [&](TEditFrm& f) {
                       Cli({outside, id});
                       // Longer than the watcher's look: it waits for the editor.
                       QTest::qWait(1200);
                       QTest::keyClick(f.DescriptionEdit, Qt::Key_End);
                       QTest::keyClicks(f.DescriptionEdit, " edited");
                       QTest::mouseClick(f.OkBtn, Qt::LeftButton);
                   });
        QCOMPARE(OnDisk().join(' '), stored);
        QTRY_COMPARE_WITH_TIMEOUT(SortedTexts(Main->ListView()).join(' '), stored, 30000);
    }

    // A new event whose save fails (no room on the disk, or a file another
    // program made unreadable meanwhile) is told once, stays shown, and is
    // written as soon as a save works again; until then the windows take
    // no more changes.
    void AFailedSaveIsWrittenOnceASaveWorks_data() {
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("disk full") << true;
        QTest::newRow("file unreadable") << false;
    }
    void AFailedSaveIsWrittenOnceASaveWorks() {
        QFETCH(bool, diskFull);
        const QByteArray good = FileBytes(), unreadable(292, '\xff');
        const QStringList all{"Alpha", "Beta", "Delta", "Gamma"};
        AddDelta(diskFull);
        QCOMPARE(SortedTexts(Main->ListView()), all);
        // Longer than the watcher's look: the save has told it already.
        QTest::qWait(1500);
        QVERIFY(!CanAdd());
        QCOMPARE(Env.Notices.size(), size_t{1});
        QCOMPARE(FileBytes(), diskFull ? good : unreadable);
        setrlimit(RLIMIT_FSIZE, &FileLimit);
        if (!diskFull)
            WriteFile(good);
        QTRY_VERIFY_WITH_TIMEOUT(CanAdd(), 30000);
        QCOMPARE(OnDisk(), all);
        QCOMPARE(Env.Notices.size(), size_t{1});
    }

    // A file damaged at start-up: the whole events are shown, and the first
    // change asks whether they may be saved over it; until the user says so
    // the file is left as it is.
    void ADamagedFileIsWrittenOnlyOnceTheUserSaysSo() {
        const QByteArray damaged = FileBytes() + QByteArray(64, 'x');
        WriteFile(damaged);
        // As at a start.
        delete std::exchange(Cal, nullptr);
        delete std::exchange(Due, nullptr);
        delete Main;
        Env.Book->MasterList.FreeAll();
        Env.Answer = anCancel;
        LoadMasterList(*Env.Book, Env.Book->MasterList.FileName);
        Main = ShowMainFrm(*Env.Events);
        QVERIFY(QTest::qWaitForWindowExposed(Main));
        QCOMPARE(SortedTexts(Main->ListView()), (QStringList{"Alpha", "Beta", "Gamma"}));
        QCOMPARE(Env.Questions.size(), size_t{1});
        QVERIFY(CanAdd());
        QVERIFY(ClickRow(Main->ListView(), "Alpha"));
        QVERIFY(Use(Main, Main->findChild<QAction*>("CopyEventAction")));
        QCOMPARE(Env.Questions.size(), size_t{2});
        QCOMPARE(FileBytes(), damaged);
        QCOMPARE(SortedTexts(Main->ListView()).size(), 3);
        Env.Answer = anOk;
        QVERIFY(Use(Main, Main->findChild<QAction*>("CopyEventAction")));
        QCOMPARE(OnDisk(), (QStringList{"Alpha", "Beta", "Copy of: Alpha", "Gamma"}));
        QCOMPARE(ReadOnlyCause(), TReadOnlyCause::None);
    }

    // Quitting while a change cannot be saved asks first; Cancel keeps the
    // program running, OK lets it end, and the events then go to a rescue
    // copy that the next start tells of and offers to restore.
    void QuittingWithAnUnsavedChangeAsksAndRescuesIt() {
        static_cast<TTickwellApplication*>(qApp)->SetMainWindow(Main);
        static_cast<TTickwellApplication*>(qApp)->SetMayQuit(
            [this] { return MayQuitWithUnsavedChanges(*Env.Book); });
        AddDelta(true);
        // Exit is the File menu's last entry, reached from the keyboard.
        const auto exit = [this] {
            QTest::keyClick(Main, Qt::Key_L, Qt::AltModifier);
            QMenu* file = Main->findChild<QMenu*>("FileMenu");
            QVERIFY(QTest::qWaitFor([file] { return file->isVisible(); }, 2000));
            QTest::keyClick(file, Qt::Key_Up);
            QTest::keyClick(file, Qt::Key_Return);
        };
        Env.Answer = anCancel;
        exit();
        QVERIFY(Main->isVisible());
        QCOMPARE(Env.Questions.size(), size_t{1});
        QVERIFY2(Env.Questions[0].starts_with("1 change to your events could not be saved"),
                 Env.Questions[0].c_str());
        // OK, but the rescue copy cannot be written either: still running.
        Env.Answer = anOk;
        exit();
        QVERIFY(Main->isVisible());
        QVERIFY2(Env.LastNotice().starts_with("Your events could not be kept in a rescue copy"),
                 Env.LastNotice().c_str());
        // Room for the copy, while the file itself cannot be saved over: it
        // became unreadable meanwhile.
        setrlimit(RLIMIT_FSIZE, &FileLimit);
        const QByteArray good = FileBytes();
        WriteFile(QByteArray(292, '\xff'));
        exit();
        QTRY_VERIFY(!Main->isVisible());
        static_cast<TTickwellApplication*>(qApp)->SetMainWindow(nullptr);
        static_cast<TTickwellApplication*>(qApp)->SetMayQuit({});
        // The end after the message loop: the same events, no second copy.
        RescueUnsavedEvents(*Env.Book);

        // The next start, with the file mended.
        EndReadOnly();
        delete std::exchange(Cal, nullptr);
        delete std::exchange(Due, nullptr);
        Env.Book->MasterList.FreeAll();
        WriteFile(good);
        LoadSynced(Env.Book->MasterList);
        Main->FillListViewMain(0);
        Env.Answer = anYes;
        ReportRescuedEvents(*Env.Book);
        const auto told = [this] {
            return std::count_if(Env.Notices.begin(), Env.Notices.end(), [](const auto& n) {
                return n.first.find(StateFolder() + "/rescued-") != std::string::npos;
            });
        };
        QCOMPARE(told(), 1);
        QCOMPARE(OnDisk(), (QStringList{"Alpha", "Beta", "Delta", "Gamma"}));
        ReportRescuedEvents(*Env.Book);
        QCOMPARE(told(), 1);
    }
};

int main(int argc, char** argv) {
    TTickwellApplication app(argc, argv);
    TestOutsideChanges test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_frm_outside_changes.moc"
