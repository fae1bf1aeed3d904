// Printing: the page layout worked out without a printer, the rows of each
// choice, and a whole job into a PDF file read back with pdftotext.
#include "UiTestEnv.h"
#include "core/DateFormat.h"
#include "ui/EventTableModel.h"
#include "ui/FrmPrint.h"
#include "ui/PrintLayout.h"
#include <QAbstractItemView>
#include <QComboBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QtTest>

namespace {

TPrintMetrics Metrics(int textHeight) {
    TPrintMetrics m;
    m.PixX = 100;
    m.PixY = 100;
    m.PageWidth = 850;
    m.PageHeight = 1100;
    m.TextHeight = textHeight;
    m.TitleWidth = 201;
    return m;
}

std::unique_ptr<QStandardItemModel> Rows(int n) {
    auto rows = std::make_unique<QStandardItemModel>(n, 4);
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < 4; ++c)
            rows->setItem(i, c,
                          new QStandardItem(c ? QString("dtw"[c - 1]) : QString("row %1").arg(i)));
    return rows;
}

// Every page of the rows.
QList<TPrintPage> LayoutPages(const QString& title, const std::unique_ptr<QStandardItemModel>& rows,
                              const TPrintMetrics& m) {
    QList<TPrintPage> pages;
    int first = 0;
    do
        pages << LayoutPage(title, *rows, first, m);
    while (first < rows->rowCount());
    return pages;
}

QString Cell(const std::unique_ptr<TEventTableModel>& rows, int row, int column) {
    return rows->index(row, column).data().toString();
}

} // namespace

class TestFrmPrint : public QObject {
    Q_OBJECT
    TUiTestEnv Env;

private slots:
    void init() { Env.Reset(); }

    // The font dialog offers 8 to 12 points and nothing else (every list of
    // numbers in it is a list of sizes), and keeps the size chosen.
    void fontDialogOffersOnlyItsSizes() {
        TprnMainFrm dlg;
        dlg.show();
        QList<int> offered;
        QTimer::singleShot(0, [&offered] {
            QWidget* font = QApplication::activeModalWidget();
            QComboBox* sizes = nullptr;
            auto numbers = [&offered](const QAbstractItemModel* m) {
                QList<int> found;
                bool ok = m->rowCount() > 0;
                for (int r = 0; ok && r < m->rowCount(); ++r)
                    found << m->index(r, 0).data().toString().toInt(&ok);
                if (ok)
                    offered += found;
                return ok;
            };
            for (QComboBox* c : font->findChildren<QComboBox*>())
                if (numbers(c->model()))
                    sizes = c;
            for (QAbstractItemView* v : font->findChildren<QAbstractItemView*>())
                if (!sizes || v != sizes->view())
                    numbers(v->model());
            if (sizes)
                QTest::keyClicks(sizes, "9");
            QTest::keyClick(font, sizes ? Qt::Key_Return : Qt::Key_Escape);
        });
        QTest::mouseClick(dlg.Button3, Qt::LeftButton);
        QCOMPARE(offered, (QList<int>{8, 9, 10, 11, 12}));
        QCOMPARE(dlg.PrintFont.pointSize(), 9);
    }

    void pageLayout() {
        const QList<TPrintPage> pages = LayoutPages("TITLE", Rows(60), Metrics(15));
        // Gap 10, LineH 25: title at 0, heading at 35, rows from 55 every 20;
        // the page is full once the next line would pass 1100.
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[0].size(), 1 + 4 + 52 * 4);
        QCOMPARE(pages[1].size(), 1 + 4 + 8 * 4);
        for (const TPrintPage& page : pages) {
            QCOMPARE(page[0].Text, QString("TITLE"));
            QCOMPARE(page[0].Origin, QPoint(850 / 2 - 201 / 2, 0));
            QVERIFY(page[0].Styled);
            QVERIFY(page[0].Clip.isEmpty());
            const QStringList heading{"EVENT DESCRIPTION", "NEXT EVENT", "TYPE", "WHEN"};
            const int lefts[4] = {0, 350, 500, 650};
            for (int c = 0; c < 4; ++c) {
                QCOMPARE(page[1 + c].Text, heading[c]);
                QVERIFY(page[1 + c].Styled);
                QCOMPARE(page[1 + c].Origin, QPoint(lefts[c], 35));
                QCOMPARE(page[1 + c].Clip.left(), lefts[c]);
                QCOMPARE(page[1 + c].Clip.right() + 1, c < 3 ? lefts[c + 1] : 800);
                QCOMPARE(page[1 + c].Clip.height(), 25);
            }
            QCOMPARE(page[5].Origin, QPoint(0, 55));
            QCOMPARE(page[9].Origin, QPoint(0, 75));
            QVERIFY(!page[5].Styled);
        }
        QCOMPARE(pages[0].last().Origin.y(), 55 + 51 * 20);
        QCOMPARE(pages[1][5].Text, QString("row 52"));
    }

    void rowAdvanceIgnoresTheFontSize() {
        // A tall font: the title takes LineH + Gap, rows still advance by two
        // gaps, and the page break uses LineH.
        const QList<TPrintPage> pages = LayoutPages("T", Rows(60), Metrics(60));
        QCOMPARE(pages[0][1].Origin.y(), 80);
        QCOMPARE(pages[0][5].Origin.y(), 100);
        QCOMPARE(pages[0][9].Origin.y(), 120);
        // Full when 1100 < Y + 70, Y being the top of the next row.
        QCOMPARE((pages[0].size() - 5) / 4, 47);
        // No title: the heading row starts the page.
        QCOMPARE(LayoutPages("", Rows(1), Metrics(15))[0][0].Origin, QPoint(0, 0));
        // A list that just fills its page ends without a page of headings.
        QCOMPARE(LayoutPages("T", Rows(52), Metrics(15)).size(), 1);
        QCOMPARE(LayoutPages("T", Rows(53), Metrics(15)).size(), 2);
        QCOMPARE(LayoutPages("T", Rows(0), Metrics(15)).size(), 1);
    }

    void rowsOfBothChoices() {
        TTickwellItem* kept = MakeEvent("Kept\r\nsecond line", Env.Day - 3, true, 0, 1, 7, true);
        MasterList->AddSorted(kept);
        MasterList->AddSorted(MakeEvent("Weekly", Env.Day + 2, false, etWeekly, 2));
        QVERIFY(MasterList->Scan());
        const auto all = PrintRows(*MasterList, false);
        QCOMPARE(all->rowCount(), 2);
        QCOMPARE(Cell(all, 0, 0), QString("Kept second line"));
        QCOMPARE(Cell(all, 0, 2), QString("Once Only (1)"));
        QCOMPARE(Cell(all, 0, 3), QString::fromStdString(kept->DaysToNextText()));
        QCOMPARE(Cell(all, 1, 2), QString("Weekly (2)"));
        const auto due = PrintRows(*DueList, true);
        QCOMPARE(due->rowCount(), 2);
        QCOMPARE(Cell(due, 0, 3), QString("-3"));
        QCOMPARE(Cell(due, 1, 3), QString("2"));

        const QString date = QString::fromStdString(DateToStr(Env.Day));
        QCOMPARE(PrintTitle(false), "ALL TICKWELL EVENTS:" + date);
        DueList->DateFormat = "yyyy";
        QCOMPARE(PrintTitle(true), QString("DUE TICKWELL EVENTS:2026"));
    }

    void dueOnlyWithNothingDue() {
        MasterList->AddSorted(MakeEvent("Far", Env.Day + 90, true));
        TprnMainFrm dlg;
        QVERIFY(dlg.AllItem->isChecked());
        dlg.SetDueOnly(true);
        dlg.Button1Click();
        QCOMPARE(Env.LastNotice(), std::string("No events to print!"));
        QVERIFY(dlg.isEnabled());
    }

    void printJobToPdf() {
        const QString longText = "Start-of-long-text " + QString(60, 'W') + " TAILMARK";
        MasterList->AddSorted(MakeEvent(longText.toStdString(), Env.Day + 1, true));
        for (int i = 0; i < 90; ++i)
            MasterList->AddSorted(
                MakeEvent("Event " + std::to_string(100 + i), Env.Day + 2 + i, false, etYearly));
        TprnMainFrm dlg;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = Env.Home.path() + "/out.pdf";
        printer.setOutputFileName(pdf);
        QVERIFY(dlg.RunJob(printer));
        QVERIFY(dlg.isEnabled());

        QProcess p;
        p.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(p.waitForFinished(20000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QStringList pages = text.split('\f');
        while (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        QVERIFY2(pages.size() >= 2, qPrintable(text));
        const QString title = "ALL TICKWELL EVENTS:" + QString::fromStdString(DateToStr(Env.Day));
        for (const QString& page : pages) {
            QVERIFY2(page.contains(title), qPrintable(page));
            QVERIFY(page.contains(QRegularExpression("EVENT DESCRIPTION +NEXT EVENT +TYPE +WHEN")));
        }
        QVERIFY(text.contains("Start-of-long-text"));
        QVERIFY(!text.contains("TAILMARK"));
        QVERIFY(text.contains("Event 100"));
        QVERIFY(text.contains("Event 189"));
        QVERIFY(text.contains("Yearly (1)"));
    }
};

QTEST_MAIN(TestFrmPrint)
#include "test_frm_print.moc"
