// Colours under the dark palette that TICKWELL_PALETTE forces: a colour the
// program sets itself is made readable on its background without losing its
// hue, and stored colour values follow the palette in force.
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

    void readableColoursKeepTheirHue() {
        const struct {
            QColor Colour;
            QColor Background;
        } cases[] = {
            {QColor(0x80, 0x00, 0x00), QColor(0x26, 0x26, 0x26)}, // maroon on dark
            {QColor(0xff, 0xd0, 0x00), QColor(Qt::white)},        // yellow on white
            {QColor(0x00, 0x00, 0xff), QColor(Qt::white)},        // already readable
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
        QCOMPARE(StoredColour(0x00FFFBF0, light), QColor(0xf0, 0xfb, 0xff));
        // System colours are the palette's.
        for (const QPalette& pal : {dark, light})
            QCOMPARE(StoredColour(0x80000008, pal), pal.color(QPalette::Text));
    }
};

QTEST_MAIN(TestTheme)
#include "test_theme.moc"
