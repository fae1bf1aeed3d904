// Enter on a question whose Yes destroys or shifts data answers No: the real
// message boxes, reached from the main window's File menu with the mouse.
#include "../ui/UiInput.h"
#include "../ui/UiTestEnv.h"
#include "app/AppGlobals.h"
#include "app/MessageBoxes.h"
#include "app/TickwellApp.h"
#include "store/DataCommands.h"
#include "store/DataFile.h"
#include "ui/FileDialogs.h"
#include "ui/FrmMain.h"
#include <QMessageBox>
#include <QPointer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

void EnsureApp() {
    static int argc = 1;
    static char name[] = "destructive_questions";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr)
        new TTickwellApplication(argc, argv);
}

// Presses Enter on each message box that comes up while it lives, and keeps
// the boxes' texts.
class TEnterOnBoxes {
public:
    TEnterOnBoxes() {
        QObject::connect(&Timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || box == Answered)
                return;
            Answered = box;
            Texts << box->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        Timer.start(10);
    }
    QStringList Texts;

private:
    QTimer Timer;
    QPointer<QMessageBox> Answered;
};

TEST(DestructiveQuestions, EnterAnswersNo) {
    EnsureApp();
    qunsetenv("TICKWELL_MESSAGE_LOG");
    struct {
        const char* Entry;
        const char* Question;
    } cases[] = {
        {"&Zap List", "Delete all events from your file!"},
        {"&Compress", "This Option will delete all expired events. Continue?"},
        {"&Restore...", "Restore data from: "},
        {"&Merge", "Tickwell Data File Merge."},
    };
    for (const auto& c : cases) {
        TUiTestEnv env;
        env.Reset();
        InstallMessageBoxes();
        FirstArgument = "/z";
        MasterList->AddSorted(MakeEvent("Expired", env.Day - 5, true));
        MasterList->AddSorted(MakeEvent("Kept", env.Day + 5, true));
        SaveEvents(*MasterList, MasterList->FileName);
        BackupDest = env.Home.path().toStdString();
        TMyList backup;
        backup.AddSorted(MakeEvent("Backed up", env.Day + 9, true));
        SaveEvents(backup, BackupFilePath());
        QStringList mergeFilters;
        SetFileDialogs({{},
                        [&](QWidget*, const TFileDialogRequest& r) {
                            mergeFilters = r.Filters;
                            return QString();
                        },
                        {}});
        {
            TMainFrm w;
            w.show();
            TEnterOnBoxes enter;
            ASSERT_TRUE(ChooseMenu(&w, "Fi&le", c.Entry)) << c.Entry;
            ASSERT_FALSE(enter.Texts.isEmpty()) << c.Entry;
            EXPECT_TRUE(enter.Texts[0].startsWith(c.Question)) << c.Entry;
            EXPECT_EQ(MasterList->Count(), 2) << c.Entry;
            EXPECT_EQ(w.ListView()->topLevelItemCount(), 2) << c.Entry;
        }
        if (std::string(c.Entry) == "&Merge") {
            EXPECT_EQ(mergeFilters, QStringList{"Tickwell Files (*.dat)"});
        }
        SetFileDialogs({});
        FirstArgument.clear();
    }
}

} // namespace
