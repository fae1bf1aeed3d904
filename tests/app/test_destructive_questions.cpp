// Enter on a question whose Yes destroys or shifts data answers No: the real
// message boxes, reached from the main window's File menu with the mouse.
#include "../ui/UiInput.h"
#include "../ui/UiTestEnv.h"
#include "app/MessageBoxes.h"
#include "app/TickwellApp.h"
#include "store/DataCommands.h"
#include "store/DataFile.h"
#include "ui/FileDialogs.h"
#include "ui/FrmMain.h"
#include "ui/WindowState.h"
#include <QMessageBox>
#include <gtest/gtest.h>

TEST(DestructiveQuestions, EnterAnswersNo) {
    static int argc = 1;
    static char name[] = "destructive_questions";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr)
        new TTickwellApplication(argc, argv);
    qunsetenv("TICKWELL_MESSAGE_LOG");
    for (const char* entry : {"&Zap List", "&Compress", "&Restore...", "&Merge"}) {
        TUiTestEnv env;
        env.Reset();
        InstallMessageBoxes();
        FirstArgument = "/z";
        env.Book->MasterList.AddSorted(MakeEvent("Expired", env.Day - 5, true));
        SaveEvents(env.Book->MasterList, env.Home.path().toStdString() + "/backup.dat");
        SetFileDialogs({{}, [](QWidget*, const TFileDialogRequest&) { return QString(); }, {}});
        QStringList asked;
        QTimer enter;
        QObject::connect(&enter, &QTimer::timeout, [&asked] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked << box->text();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        enter.start(10);
        env.Book->MasterList.AddSorted(MakeEvent("Kept", env.Day + 5, true));
        TTestWindow<TMainFrm> w(*env.Events);
        ASSERT_TRUE(ChooseMenu(w.W, "Fi&le", entry)) << entry;
        EXPECT_EQ(asked.size(), 1) << entry;
        EXPECT_EQ(env.Book->MasterList.Count(), 2) << entry;
        SetFileDialogs({});
    }
    FirstArgument.clear();
}
