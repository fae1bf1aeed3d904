// Colours under the dark palette that TICKWELL_PALETTE forces: stored colour
// values follow the palette in force.
#include "UiTestEnv.h"
#include "ui/Theme.h"
#include <QStyle>

class TestTheme : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qputenv("TICKWELL_PALETTE", "dark");
        ApplyPaletteChoice();
        QVERIFY(QApplication::palette().color(QPalette::Window).lightness() < 80);
    }

    void storedColoursFollowThePalette() {
        const QPalette dark = DarkPalette();
        const QPalette light = QApplication::style()->standardPalette();
        // Fixed values are blue, green, red from the high byte down.
        QCOMPARE(StoredColour(0x00FFFBF0, light), QColor(0xf0, 0xfb, 0xff));
        // System colours are the palette's.
        for (const QPalette& pal : {dark, light})
            QCOMPARE(StoredColour(0x80000008, pal), pal.color(QPalette::Text));
    }
};

QTEST_MAIN(TestTheme)
#include "test_theme.moc"
