// The windows under the dark palette that TICKWELL_PALETTE forces: every
// colour the program sets itself reads on what it is drawn on, and stored
// colour values follow the palette in force.
#include "UiTestEnv.h"
#include "ui/DateBox.h"
#include "ui/FrmAbt.h"
#include "ui/FrmMain.h"
#include "ui/Theme.h"
#include "ui/UrlLabel.h"
#include "ui/WindowState.h"
#include <QCalendarWidget>
#include <QLabel>
#include <QStyle>
#include <QTextCharFormat>

class TestTheme : public QObject {
    Q_OBJECT
    TUiTestEnv Env;

private slots:
    void initTestCase() {
        qputenv("TICKWELL_PALETTE", "dark");
        ApplyPaletteChoice();
    }

    void init() { Env.Reset(); }

    void ownColoursReadOnTheDarkPalette() {
        const QPalette pal = QApplication::palette();
        QVERIFY(pal.color(QPalette::Window).lightness() < 80);

        TAboutDlg about;
        about.show();
        TUrlLabel* link = about.UrlLabel1;
        const QColor linkColour = link->palette().color(link->foregroundRole());
        QTest::mousePress(link, Qt::LeftButton);
        const QColor pressed = link->palette().color(link->foregroundRole());
        TUrlLabel::SetOpener([](const QString&) {});
        QTest::mouseRelease(link, Qt::LeftButton);
        TUrlLabel::SetOpener({});

        TDateBox box;
        const QCalendarWidget* cal = box.calendarWidget();

        StartMode = smMain;
        TMainFrm main;
        main.show();
        QToolBar* toolbar = main.findChild<QToolBar*>("ToolBar1");
        QVERIFY(toolbar);
        const QImage bar = toolbar->grab().toImage();

        const struct {
            const char* What;
            QColor Text;
            QColor Background;
        } cases[] = {
            {"About box title", about.TitleLabel->palette().color(QPalette::WindowText),
             about.palette().color(QPalette::Window)},
            {"link", linkColour, about.palette().color(QPalette::Window)},
            {"link while pressed", pressed, about.palette().color(QPalette::Window)},
            {"weekend date", cal->weekdayTextFormat(Qt::Saturday).foreground().color(),
             cal->palette().color(QPalette::Base)},
            {"toolbar caption", toolbar->palette().color(QPalette::ButtonText),
             bar.pixelColor(bar.width() - 2, bar.height() / 2)},
        };
        for (const auto& c : cases)
            QVERIFY2(ContrastRatio(c.Text, c.Background) >= 4.5,
                     qPrintable(QStringLiteral("%1: %2 on %3")
                                    .arg(c.What, c.Text.name(), c.Background.name())));
        QVERIFY2(pressed != linkColour, "the pressed link shows its active colour");
        QCOMPARE(link->palette().color(link->foregroundRole()), linkColour);
    }

    void readableColoursKeepTheirHue() {
        const struct {
            QColor Colour;
            QColor Background;
        } cases[] = {
            {QColor(0x80, 0x00, 0x00), QColor(0x26, 0x26, 0x26)}, // maroon on dark
            {QColor(0x80, 0x00, 0x80), QColor(0x35, 0x35, 0x35)}, // purple on dark
            {QColor(0xff, 0xd0, 0x00), QColor(Qt::white)},        // yellow on white
            {QColor(0x00, 0x00, 0xff), QColor(Qt::white)},        // already readable
            {QColor(0xff, 0x00, 0x00), QColor(Qt::black)},        // already readable
        };
        for (const auto& c : cases) {
            const QColor r = ReadableOn(c.Colour, c.Background);
            QVERIFY2(ContrastRatio(r, c.Background) >= 4.5, qPrintable(c.Colour.name()));
            QVERIFY2(qAbs(r.hslHue() - c.Colour.hslHue()) <= 2, qPrintable(c.Colour.name()));
            if (ContrastRatio(c.Colour, c.Background) >= 4.5)
                QCOMPARE(r, c.Colour);
        }
    }

    void storedColoursFollowThePalette() {
        const QPalette dark = DarkPalette();
        const QPalette light = QApplication::style()->standardPalette();
        // Fixed values are blue, green, red from the high byte down.
        QCOMPARE(StoredColour(0x000000FF, dark), QColor(0xff, 0, 0));
        QCOMPARE(StoredColour(0x00FFFBF0, light), QColor(0xf0, 0xfb, 0xff));
        // System colours are the palette's.
        for (const QPalette& pal : {dark, light})
            QCOMPARE(StoredColour(0x80000008, pal), pal.color(QPalette::Text));
        QVERIFY(StoredColour(0x80000008, dark) != StoredColour(0x80000008, light));
    }
};

QTEST_MAIN(TestTheme)
#include "test_theme.moc"
