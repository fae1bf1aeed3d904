// Runs of the real program: TICKWELL_HOME in a temporary folder, the
// offscreen platform, and the message log instead of boxes.
#include "../ui/UiTestEnv.h"
#include "store/DataFile.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

namespace {

// Far above what any run needs: it only ends one that hangs, on however
// loaded a machine.
constexpr int kLimitMs = 60000;

class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Home.isValid()); }

    QString Path(const QString& name) const { return Home.filePath(name); }

    // A process of the program with its own message log (a path of its own
    // when absolute).
    std::unique_ptr<QProcess> Start(const QStringList& args, const QString& log,
                                    const std::function<void()>& inChild = {}) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TICKWELL_HOME", Home.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        // The checks read the English texts, whatever this machine speaks.
        env.insert("LC_ALL", "C.UTF-8");
        env.remove("LANGUAGE");
        env.insert("TICKWELL_MESSAGE_LOG", log.startsWith('/') ? log : Path(log));
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (inChild)
            p->setChildProcessModifier(inChild);
        p->start(TICKWELL_BIN, args);
        EXPECT_TRUE(p->waitForStarted(kLimitMs));
        return p;
    }
    // Runs to its end; the exit code, or -1 when it did not end in time.
    int Run(const QStringList& args, const QString& log) {
        auto p = Start(args, log);
        return p->waitForFinished(kLimitMs) && p->exitStatus() == QProcess::NormalExit
                   ? p->exitCode()
                   : -1;
    }
    QByteArray Read(const QString& name) const {
        QFile f(Path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static bool WaitFor(const std::function<bool()>& done) {
        return QTest::qWaitFor(done, kLimitMs);
    }

    // In the tray with the due-events window to open, which says that
    // nothing is due.
    void TraySettings(const QByteArray& more = {}) {
        Write("registry.reg",
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\Options]\n"
              "\"TrayWindow\"=dword:00000001\n\"NoTrayTold\"=dword:00000001\n" +
                  more);
    }
    void WriteOneEvent() {
        TMyList events;
        events.AddSorted(MakeEvent("Renew passport", EncodeDate(2099, 1, 1), true));
        SaveEvents(events, Path("tickwell.dat").toStdString());
    }

    QTemporaryDir Home;
    const QByteArray NoEvents = "[information] There are No Events Due\n";
};

TEST_F(ProgramRun, ASecondStartBringsTheFirstForwardAndAStaleLockIsTakenOver) {
    TraySettings();
    auto first = Start({"/t"}, "first.log");
    ASSERT_TRUE(WaitFor([&] { return Read("first.log") == NoEvents; }));
    EXPECT_EQ(Run({"/t"}, "second.log"), 0);
    EXPECT_EQ(Read("second.log"), "") << "the second start ends quietly";
    EXPECT_TRUE(WaitFor([&] { return Read("first.log") == NoEvents + NoEvents; }))
        << "the first copy opened what the second would have";

    // A copy that does not answer gets the box.
    const auto pid = static_cast<pid_t>(first->processId());
    ::kill(pid, SIGSTOP);
    EXPECT_EQ(Run({}, "third.log"), 0);
    EXPECT_EQ(Read("third.log"), "[information] Tickwell is already running\n");
    ::kill(pid, SIGCONT);

    // A crash leaves the lock file behind; the next copy is not refused.
    ::kill(pid, SIGKILL);
    first->waitForFinished(kLimitMs);
    ASSERT_TRUE(QFile::exists(Path("tickwell.lock")));
    EXPECT_EQ(Run({"/q"}, "fourth.log"), 0);
    EXPECT_EQ(Read("fourth.log"), NoEvents);
}

// A damaged events file (here with stray bytes after its one event) is
// copied aside and told; the run goes on with the whole events, and the
// file stays as it is while the user has not said to keep them.
TEST_F(ProgramRun, ADamagedDataFileIsCopiedAsideReportedAndLeftAsItIs) {
    WriteOneEvent();
    const QByteArray damaged = Read("tickwell.dat") + QByteArray(64, '\0');
    Write("tickwell.dat", damaged);
    EXPECT_EQ(Run({"/q"}, "messages.log"), 0);
    const QStringList copies = QDir(Home.path()).entryList({"tickwell.dat.damaged-*"});
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(Read(copies[0]), damaged);
    EXPECT_TRUE(Read("messages.log")
                    .contains("\n" + Path(copies[0]).toUtf8() +
                              "\n[ok-cancel] 1 event could be read whole from the damaged file."))
        << Read("messages.log").toStdString();
    EXPECT_TRUE(Read("messages.log").endsWith(NoEvents));
    EXPECT_EQ(Read("tickwell.dat"), damaged);
}

// With the option on (its default), each end of the program backs the
// events up; a backup that failed is told once, at the next start.
TEST_F(ProgramRun, BackupOnExitAndItsFailureToldOnce) {
    TraySettings("\n[HKEY_CURRENT_USER\\software\\VELTRA\\Tickwell\\Settings]\n\"BackupDest\"=\"" +
                 Path("usb").toUtf8() + "\"\n");
    WriteOneEvent();
    // A run in the tray that says nothing is due, then ends as at log-out.
    auto run = [this](const QString& log) {
        auto p = Start({"/t"}, log);
        EXPECT_TRUE(WaitFor([&] { return Read(log).contains(NoEvents); }));
        ::kill(static_cast<pid_t>(p->processId()), SIGTERM);
        EXPECT_TRUE(p->waitForFinished(kLimitMs));
    };
    ASSERT_TRUE(QDir().mkpath(Path("usb/backup.dat"))); // in the way of the file
    run("first.log");
    EXPECT_EQ(Read("first.log"), NoEvents) << "never told at the exit itself";
    ASSERT_TRUE(QDir().rmdir(Path("usb/backup.dat")));
    run("second.log");
    run("third.log");
    EXPECT_EQ(Read("second.log").count("[warning] Your events could not be backed up"), 1);
    EXPECT_EQ(Read("third.log"), NoEvents) << "told once";
    EXPECT_EQ(Read("usb/backup.dat"), Read("tickwell.dat"));
}

// A disk with no room for a single byte: the program still starts and shows
// the events, says once that changes cannot be saved, and ends normally.
TEST_F(ProgramRun, AFullDiskStillStartsReadOnly) {
    WriteOneEvent();
    const QByteArray before = Read("tickwell.dat");
    // The notices go to a pipe, which the file size limit does not reach.
    auto p = Start({"/m"}, "/dev/stdout", [] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit none{0, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &none);
    });
    QByteArray out;
    EXPECT_TRUE(WaitFor([&] {
        p->waitForReadyRead(50);
        out += p->readAllStandardOutput();
        return out.contains("[warning] Changes to your events cannot be saved now");
    })) << out.toStdString();
    ::kill(static_cast<pid_t>(p->processId()), SIGTERM);
    ASSERT_TRUE(p->waitForFinished(kLimitMs));
    out += p->readAllStandardOutput();
    EXPECT_EQ(p->exitCode(), 0);
    EXPECT_EQ(out.count("Changes to your events cannot be saved now"), 1);
    EXPECT_EQ(Read("tickwell.dat"), before);
}

} // namespace
