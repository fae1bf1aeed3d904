// Printing: the font sizes offered, the page layout worked out without a
// printer, and a whole job into a PDF file read back with pdftotext.
#include "UiTestEnv.h"
#include "core/DateFormat.h"
#include "ui/FileDialogs.h"
#include "ui/FrmPrint.h"
#include "ui/PrintLayout.h"
#include <QComboBox>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>

class TestFrmPrint : public QObject {
    Q_OBJECT
    TUiTestEnv Env;

private slots:
    void init() { Env.Reset(); }

    // The font dialog offers 8 to 12 points and nothing else, and keeps the
    // size chosen.
    void fontDialogOffersOnlyItsSizes() {
        TTestWindow<TprnMainFrm> dlg(*Env.Book);
        QStringList offered;
        WhenUp<QDialog>([&offered](QDialog& font) {
            for (QComboBox* c : font.findChildren<QComboBox*>())
                if (c->itemText(0).toInt() > 0) {
                    offered = ShownTexts(c->view());
                    QTest::keyClicks(c, "9");
                }
            QTest::keyClick(&font, Qt::Key_Return);
        });
        QTest::mouseClick(dlg->FontBtn, Qt::LeftButton);
        QCOMPARE(offered, (QStringList{"8", "9", "10", "11", "12"}));
        QCOMPARE(dlg->PrintFont.pointSize(), 9);
    }

    // A page holds as many rows as fit under the title and the headings, a
    // list that just fills its page ends there, and the next page goes on
    // from the next row. Rows advance by two gaps whatever the font; the
    // break uses its height.
    void pageBreaks() {
        const struct {
            int TextHeight, Rows;
            QList<int> RowsPerPage;
        } cases[] = {{15, 52, {52}}, {15, 53, {52, 1}}, {15, 0, {0}}, {60, 60, {47, 13}}};
        for (const auto& c : cases) {
            QStandardItemModel rows(c.Rows, 4);
            for (int i = 0; i < c.Rows * 4; ++i)
                rows.setItem(i / 4, i % 4, new QStandardItem(QString("row %1").arg(i / 4)));
            const TPrintMetrics m{100, 100, 850, 1100, c.TextHeight, 201};
            QList<int> counts;
            int first = 0;
            do {
                // The title, four headings, then four cells a row.
                const TPrintPage page = LayoutPage("T", rows, first, m);
                counts << (page.size() - 5) / 4;
                if (counts.size() == 2)
                    QCOMPARE(page[5].Text, QString("row %1").arg(c.RowsPerPage[0]));
            } while (first < c.Rows);
            QCOMPARE(counts, c.RowsPerPage);
        }
    }

    void dueOnlyWithNothingDue() {
        Env.Add(MakeEvent("Far", Env.Day + 90, true));
        TTestWindow<TprnMainFrm> dlg(*Env.Book);
        Press(dlg->DueItem);
        QTest::mouseClick(dlg->PrintBtn, Qt::LeftButton);
        QCOMPARE(Env.LastNotice(), std::string("No events to print!"));
        QVERIFY(dlg->isEnabled());
    }

    // Print, as a user presses it with no printer installed: the save dialog
    // offers a file named after the choice in the documents folder, and the
    // dialog closes once the file is written. Every page carries the title
    // and the headings; a text too long for its column ends in an ellipsis
    // short of the next one.
    void printJobToPdf() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed: the job would go to it");
        const QString longText = "Start-of-long-text " + QString(60, 'W') + " TAILMARK";
        Env.Add(MakeEvent(longText.toStdString(), Env.Day + 1, true));
        for (int i = 0; i < 90; ++i)
            Env.Add(MakeEvent("Event " + std::to_string(100 + i), Env.Day + 2 + i, false,
                              i ? etYearly : etMonthlyDate));
        const QString pdf = Env.Home.path() + "/out.pdf";
        for (const bool dueOnly : {true, false}) {
            QString offered;
            SetFileDialogs({[&](QWidget*, const TFileDialogRequest& r) {
                                offered = QFileInfo(r.Folder).fileName();
                                return pdf;
                            },
                            {},
                            {}});
            Env.Book->MasterList.Scan();
            TTestWindow<TprnMainFrm> dlg(*Env.Book);
            Press(dueOnly ? dlg->DueItem : dlg->AllItem);
            QTest::mouseClick(dlg->PrintBtn, Qt::LeftButton);
            SetFileDialogs({});
            QCOMPARE(offered,
                     dueOnly ? QString("Tickwell due events.pdf") : QString("Tickwell events.pdf"));
            QCOMPARE(dlg->result(), int(QDialog::Accepted));
            QVERIFY(!dlg->isVisible());
        }
        QProcess p;
        p.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(p.waitForFinished(20000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        const QString title = "ALL TICKWELL EVENTS:" + QString::fromStdString(DateToStr(Env.Day));
        const int pages = text.count(title);
        QVERIFY2(pages >= 2, qPrintable(text));
        QCOMPARE(text.count(QRegularExpression("EVENT DESCRIPTION +NEXT EVENT +TYPE +WHEN")),
                 pages);
        QVERIFY2(text.contains(QRegularExpression("Start-of-long-text W+\u2026 +\\S")),
                 qPrintable(text));
        QVERIFY(!text.contains("TAILMARK"));
        QVERIFY2(text.contains(QRegularExpression("Monthly - \\S*\u2026 +\\S")), qPrintable(text));
        QVERIFY(text.contains("Event 189"));
    }
};

QTEST_MAIN(TestFrmPrint)
#include "test_frm_print.moc"
