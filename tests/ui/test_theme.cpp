// Tickwell's dark palette as a user sees it: empty check and radio boxes
// stand out from the window they sit on and from checked ones.
#include "ui/Theme.h"
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QtTest>
#include <memory>

namespace {

// The highest contrast to the window of any pixel of the button's box.
double BoxContrast(QAbstractButton& button, QStyle::SubElement box) {
    button.resize(button.sizeHint());
    const QImage shot = button.grab().toImage();
    QStyleOptionButton option;
    option.initFrom(&button);
    const QRect r = button.style()->subElementRect(box, &option, &button);
    const QColor window = button.palette().color(QPalette::Window);
    const qreal ratio = shot.devicePixelRatio();
    double best = 1;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            best = std::max(best, ContrastRatio(shot.pixelColor(QPoint(x, y) * ratio), window));
    return best;
}

} // namespace

class TestTheme : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qputenv("TICKWELL_PALETTE", "dark");
        ApplyPaletteChoice();
    }

    void EmptyBoxesHaveAVisibleRim() {
        const struct {
            const char* Name;
            std::function<QAbstractButton*()> Make;
            QStyle::SubElement Box;
        } cases[] = {
            {"radio button", [] { return new QRadioButton("Use System Tray"); },
             QStyle::SE_RadioButtonIndicator},
            {"check box", [] { return new QCheckBox("Beep on Messages"); },
             QStyle::SE_CheckBoxIndicator},
        };
        for (const auto& c : cases) {
            const std::unique_ptr<QAbstractButton> button(c.Make());
            const double rim = BoxContrast(*button, c.Box);
            QVERIFY2(rim >= 2.5, qPrintable(QString("%1: %2").arg(c.Name).arg(rim)));
            // Disabled, the rim stays, if fainter.
            button->setEnabled(false);
            QVERIFY2(BoxContrast(*button, c.Box) >= 1.5, c.Name);
        }
    }
};

QTEST_MAIN(TestTheme)
#include "test_theme.moc"
