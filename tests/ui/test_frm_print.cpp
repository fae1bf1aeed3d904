// Printing: the page layout worked out without a printer, the rows of each
// choice, and a whole job into a PDF file read back with pdftotext.
#include "UiTestEnv.h"
#include "core/DateFormat.h"
#include "ui/EventTableModel.h"
#include "ui/FrmPrint.h"
#include "ui/PrintLayout.h"
#include <QComboBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>

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

    // A page holds as many rows as fit under the title and the headings,
    // each page repeats them, and a list that just fills its page ends there.
    void pageBreaks_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("textHeight");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("rowsPerPage");
        QTest::addColumn<int>("headingTop");
        QTest::newRow("two pages") << "TITLE" << 15 << 60 << QList<int>{52, 8} << 35;
        QTest::newRow("just full") << "T" << 15 << 52 << QList<int>{52} << 35;
        QTest::newRow("one more") << "T" << 15 << 53 << QList<int>{52, 1} << 35;
        QTest::newRow("empty list") << "T" << 15 << 0 << QList<int>{0} << 35;
        QTest::newRow("no title") << "" << 15 << 1 << QList<int>{1} << 0;
        // Rows advance by two gaps whatever the font; the break uses its height.
        QTest::newRow("tall font") << "T" << 60 << 60 << QList<int>{47, 13} << 80;
    }
    void pageBreaks() {
        QFETCH(QString, title);
        QFETCH(int, textHeight);
        QFETCH(int, rows);
        QFETCH(QList<int>, rowsPerPage);
        QFETCH(int, headingTop);
        const QList<TPrintPage> pages = LayoutPages(title, Rows(rows), Metrics(textHeight));
        const int titled = title.isEmpty() ? 0 : 1;
        QList<int> counts;
        for (const TPrintPage& page : pages) {
            counts << (page.size() - titled - 4) / 4;
            if (titled)
                QCOMPARE(page[0].Origin, QPoint(850 / 2 - 201 / 2, 0));
            QCOMPARE(page[titled].Text, QString("EVENT DESCRIPTION"));
            QCOMPARE(page[titled].Origin.y(), headingTop);
            QCOMPARE(page[titled + 3].Clip.right() + 1, 800);
        }
        QCOMPARE(counts, rowsPerPage);
        if (rows > 52 && textHeight == 15)
            QCOMPARE(pages[1][5].Text, QString("row 52"));
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
        dlg.show();
        QTest::mouseClick(dlg.DueItem, Qt::LeftButton, {}, QPoint(8, dlg.DueItem->height() / 2));
        QTest::mouseClick(dlg.Button1, Qt::LeftButton);
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
