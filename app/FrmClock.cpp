#include "app/FrmClock.h"

#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/FormatSettings.h"
#include "store/SettingsSchema.h"
#include "ui/FrmHelp.h"
#include "ui/ScreenFit.h"
#include "ui/Theme.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QApplication>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cctype>

namespace {

// The thin frame round the borderless clock.
constexpr int kFrame = 1;

// The short date with a two-digit year, in the order of the short date
// format, so the line fits the clock. Where the locale has no date of its
// own, the year is written in full: "26-03-10" could be read either way.
const char* DateLinePattern() {
    const TFormatSettings& fs = FormatSettings();
    if (!fs.ShortDateFromLocale)
        return "ddd yyyy-mm-dd";
    const char first =
        fs.ShortDateFormat.empty() ? 'D' : static_cast<char>(std::toupper(fs.ShortDateFormat[0]));
    return first == 'M' ? "ddd mm/dd/yy" : first == 'Y' ? "ddd yy/mm/dd" : "ddd dd/mm/yy";
}

// The widest text the clock shows, with a blank on either side.
QString ClockSample() {
    return FormatSettings().ShortDateFromLocale ? QStringLiteral(" Wed 88/88/88 ")
                                                : QStringLiteral(" Wed 8888-88-88 ");
}

// What the clock says in place of the time while the schedule is suspended
// and it stands in for the tray.
const char* const kSuspendedText = QT_TRANSLATE_NOOP("TClockFrm", "Suspended");

// A font the desktop does not have is replaced by its own default.
QString ClockFontFamily(const std::string& stored) {
    if (stored.empty() || stored == "MS Sans Serif")
        return QApplication::font().family();
    return QString::fromStdString(stored);
}

} // namespace

TClockFrm::TClockFrm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), ClockPop(new QMenu(this)) {
    setObjectName("ClockFrm");
    setWindowTitle("Tickwell");

    DateLabel = new QLabel(this);
    DateLabel->setObjectName("DateLabel");
    TimeLabel = new QLabel(this);
    TimeLabel->setObjectName("TimeLabel");
    for (QLabel* l : {DateLabel, TimeLabel}) {
        l->setAlignment(Qt::AlignCenter);
        // Clicks and drags go to the window, which moves.
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    BuildMenu();
    // The look first, so that a clock shown for a missing tray has it.
    ReadSettings();
    StayOnTopFlag(StayOnTopAction->isChecked());
}

TClockFrm::~TClockFrm() {
    WriteSettings();
}

// ---- menu -------------------------------------------------------------------

QAction* TClockFrm::MenuItem(const char* name, const QString& caption, const QKeySequence& key,
                             void (TClockFrm::*command)()) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    if (!key.isEmpty()) {
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    // A checkable entry without a command only holds its check.
    if (command)
        connect(a, &QAction::triggered, this, [this, command] { (this->*command)(); });
    return a;
}

void TClockFrm::BuildMenu() {
    StayOnTopAction = MenuItem("StayOnTopAction", tr("Sta&y On Top"),
                               QKeySequence(Qt::CTRL | Qt::Key_Y), &TClockFrm::StayOnTopClick);
    StayOnTopAction->setCheckable(true);
    ClockFontAction = MenuItem("ClockFontAction", tr("Clock &Font..."),
                               QKeySequence(Qt::CTRL | Qt::Key_F), &TClockFrm::ClockFontClick);
    ClockColourAction = MenuItem("ClockColourAction", tr("C&lock Colour"),
                                 QKeySequence(Qt::CTRL | Qt::Key_W), &TClockFrm::ClockColourClick);
    TextColourAction = MenuItem("TextColourAction", tr("Te&xt Colour"),
                                QKeySequence(Qt::CTRL | Qt::Key_X), &TClockFrm::TextColourClick);
    Hour24Action =
        MenuItem("Hour24Action", tr("24 &hr Format"), QKeySequence(Qt::CTRL | Qt::Key_H), nullptr);
    Hour24Action->setCheckable(true);
    ClockHelpAction = MenuItem("ClockHelpAction", tr("Hel&p"), QKeySequence(Qt::Key_F1),
                               &TClockFrm::ClockHelpClick);
    ExitAction = MenuItem("ExitAction", tr("Exit"), QKeySequence(), &TClockFrm::ExitClick);

    ClockPop->setObjectName("ClockPop");
    ClockPop->addActions(
        {StayOnTopAction, ClockFontAction, ClockColourAction, TextColourAction, Hour24Action});
    ClockPop->addSeparator();
    ClockPop->addActions({ClockHelpAction, ExitAction});
}

// The clock cannot be hidden while it stands in, being the only way in.
void TClockFrm::StandInForTray(const QList<QAction*>& entries) {
    ClockPop->removeAction(ExitAction);
    StandInSeparator = ClockPop->addSeparator();
    ClockPop->addActions(entries);
    StandIns = entries;
}

void TClockFrm::EndStandIn() {
    for (QAction* a : StandIns)
        ClockPop->removeAction(a);
    StandIns.clear();
    delete StandInSeparator;
    StandInSeparator = nullptr;
    ClockPop->addAction(ExitAction);
}

// ---- settings and look ------------------------------------------------------

void TClockFrm::ReadSettings() {
    const TWinRegistry reg;
    ClockFont = QFont(ClockFontFamily(ReadSetting(reg, kClockFontName)));
    const int size = ReadSetting(reg, kClockFontSize);
    // The window follows the text: a font larger than the screen would give
    // a window, and a buffer, larger than the screen.
    const QRect area = AvailableArea();
    ClockFont.setPointSize(size > 0 ? std::min(size, std::max(1, area.height()))
                                    : kClockFontSize.Default);
    const QFontMetrics fm(ClockFont);
    const double scale =
        std::min({1.0, 0.95 * area.width() / (fm.horizontalAdvance(ClockSample()) + 2 * kFrame),
                  0.95 * area.height() / (2 * fm.height() + 2 * kFrame)});
    if (scale < 1)
        ClockFont.setPointSize(std::max(1, static_cast<int>(ClockFont.pointSize() * scale)));
    FontColour = StoredColour(ReadSetting(reg, kClockFontCol), QApplication::palette());
    ClockFont.setBold(ReadSetting(reg, kClockBold));
    ClockFont.setItalic(ReadSetting(reg, kClockItalic));
    Background = StoredColour(ReadSetting(reg, kClockColor), QApplication::palette());
    QPoint pos(ReadSetting(reg, kClockLeft), ReadSetting(reg, kClockTop));
    StayOnTopAction->setChecked(ReadSetting(reg, kClockOnTop));
    Hour24Action->setChecked(ReadSetting(reg, kClock24Hour));
    ApplyLook();
    // A place from another screen layout is brought back onto this one.
    if (const QScreen* s = QGuiApplication::screenAt(pos) ? QGuiApplication::screenAt(pos)
                                                          : QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        pos.setX(std::clamp(pos.x(), area.left(), std::max(area.left(), area.right() - width())));
        pos.setY(std::clamp(pos.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    move(pos);
    LookAsRead = Look();
}

std::string TClockFrm::Look() const {
    return QStringList{QString::number(x()),
                       QString::number(y()),
                       ClockFont.toString(),
                       FontColour.name(),
                       Background.name(),
                       QString::number(Hour24Action->isChecked()),
                       QString::number(StayOnTopAction->isChecked())}
        .join('|')
        .toStdString();
}

void TClockFrm::WriteSettings() const {
    if (Look() == LookAsRead)
        return;
    TWinRegistry reg;
    WriteSetting(reg, kClockLeft, x());
    WriteSetting(reg, kClockTop, y());
    WriteSetting(reg, kClockFontName, ClockFont.family().toStdString());
    WriteSetting(reg, kClockFontSize,
                 ClockFont.pointSize() > 0 ? ClockFont.pointSize() : kClockFontSize.Default);
    WriteSetting(reg, kClockBold, ClockFont.bold());
    WriteSetting(reg, kClockItalic, ClockFont.italic());
    WriteSetting(reg, kClockFontCol, StoredColourValue(FontColour));
    WriteSetting(reg, kClockColor, StoredColourValue(Background));
    WriteSetting(reg, kClock24Hour, Hour24Action->isChecked());
    WriteSetting(reg, kClockOnTop, StayOnTopAction->isChecked());
}

void TClockFrm::ApplyLook() {
    for (QLabel* l : {DateLabel, TimeLabel}) {
        l->setFont(ClockFont);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, FontColour);
        l->setPalette(pal);
    }
    LayoutClock();
    update();
}

void TClockFrm::LayoutClock() {
    const QFontMetrics fm(ClockFont);
    setFixedSize(fm.horizontalAdvance(ClockSample()) + 2 * kFrame, 2 * fm.height() + 2 * kFrame);
}

void TClockFrm::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    const QRect inner = rect().adjusted(kFrame, kFrame, -kFrame, -kFrame);
    const int half = inner.height() / 2;
    DateLabel->setGeometry(inner.left(), inner.top(), inner.width(), half);
    TimeLabel->setGeometry(inner.left(), inner.top() + half + 1, inner.width(),
                           inner.height() - half - 1);
}

void TClockFrm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Background);
    p.setPen(Background.lightness() > 96 ? Background.darker(170) : Background.lighter(180));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TClockFrm::UpdateDateLabel() {
    DateLabel->setText(QString::fromStdString(FormatDateTime(DateLinePattern(), Today())));
}

void TClockFrm::StayOnTopFlag(bool onTop) {
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing the flags takes the window off the screen.
    if (visible)
        show();
}

// ---- showing, moving --------------------------------------------------------

void TClockFrm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (e->spontaneous() || Shown)
        return;
    Shown = true;
    UpdateDateLabel();
    LayoutClock();
    ++OpenWindowCount;
    // The window last opened from here comes back in front of the clock.
    const int last = LastShownWindow;
    QTimer::singleShot(0, this, [last] {
        QWidget* w = last == 1   ? MainLinks().Window
                     : last == 2 ? DueLinks().Window
                     : last == 4 ? CalendarLinks().Window
                                 : nullptr;
        if (w) {
            w->raise();
            w->activateWindow();
        }
    });
}

void TClockFrm::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (e->spontaneous() || !Shown)
        return;
    Shown = false;
    --OpenWindowCount;
}

void TClockFrm::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(e);
    // The window manager moves it where it can; otherwise it follows the
    // mouse by hand.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    Dragging = true;
    DragOffset = e->globalPosition().toPoint() - pos();
}

void TClockFrm::mouseMoveEvent(QMouseEvent* e) {
    if (Dragging && (e->buttons() & Qt::LeftButton))
        move(e->globalPosition().toPoint() - DragOffset);
}

void TClockFrm::mouseReleaseEvent(QMouseEvent* e) {
    Dragging = false;
    QWidget::mouseReleaseEvent(e);
}

void TClockFrm::contextMenuEvent(QContextMenuEvent* e) {
    ClockPop->popup(e->globalPos());
}

// ---- time -------------------------------------------------------------------

void TClockFrm::ShowTime() {
    const char* timeFormat = Hour24Action->isChecked() ? "hh:nn:ss" : "h:nn:ss ampm";
    TimeLabel->setText(QString::fromStdString(FormatDateTime(timeFormat, Now())));
}

void TClockFrm::ShowSuspended() {
    TimeLabel->setText(tr(kSuspendedText));
}

// ---- clock menu -------------------------------------------------------------

void TClockFrm::StayOnTopClick() {
    StayOnTopFlag(StayOnTopAction->isChecked());
}

void TClockFrm::ClockFontClick() {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, ClockFont, this, tr("Clock Font"));
    if (!ok)
        return;
    ClockFont = f;
    ApplyLook();
}

void TClockFrm::ClockColourClick() {
    const QColor c = QColorDialog::getColor(Background, this, tr("Clock Colour"));
    if (!c.isValid())
        return;
    Background = c;
    update();
}

void TClockFrm::TextColourClick() {
    const QColor c = QColorDialog::getColor(FontColour, this, tr("Text Colour"));
    if (!c.isValid())
        return;
    FontColour = c;
    ApplyLook();
}

void TClockFrm::ClockHelpClick() {
    ShowHelpTopic("tray.html#clock");
}

void TClockFrm::ExitClick() {
    close();
}
