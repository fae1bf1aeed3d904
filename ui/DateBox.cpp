#include "ui/DateBox.h"
#include "core/DateFormat.h"
#include "core/FormatSettings.h"
#include "core/NewEventRules.h"
#include "ui/Theme.h"
#include <QAction>
#include <QCalendarWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QTextCharFormat>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <cmath>

namespace {
// 30 December 1899, day 0 of the date type.
const qint64 kDayZeroJulian = QDate(1899, 12, 30).toJulianDay();
} // namespace

QDate ToQDate(TDateTime d) {
    return QDate::fromJulianDay(kDayZeroJulian + DayNumber(d));
}

TDateTime FromQDate(const QDate& d) {
    return static_cast<TDateTime>(d.toJulianDay() - kDayZeroJulian);
}

QString QtDatePattern(const std::string& pattern, char dateSeparator) {
    QString out;
    QString literal;
    auto flushLiteral = [&] {
        // Only letters and quotes need quoting in a Qt format.
        const bool quote = std::any_of(literal.begin(), literal.end(),
                                       [](QChar c) { return c.isLetter() || c == '\''; });
        out += quote ? '\'' + literal.replace("'", "''") + '\'' : literal;
        literal.clear();
    };
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const char lc = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lc == 'd' || lc == 'm' || lc == 'y') {
            flushLiteral();
            size_t n = 1;
            while (i + n < pattern.size() &&
                   std::tolower(static_cast<unsigned char>(pattern[i + n])) == lc)
                ++n;
            i += n - 1;
            if (lc == 'd')
                out += n == 1 ? "d" : n == 2 ? "dd" : n == 3 ? "ddd" : "dddd";
            else if (lc == 'm')
                out += n == 1 ? "M" : n == 2 ? "MM" : n == 3 ? "MMM" : "MMMM";
            else
                out += n <= 2 ? "yy" : "yyyy";
        } else if (c == '/') {
            literal += QChar::fromLatin1(dateSeparator);
        } else if (c == '"' || c == '\'') {
            const size_t end = pattern.find(c, i + 1);
            const size_t stop = end == std::string::npos ? pattern.size() : end;
            literal += QString::fromStdString(pattern.substr(i + 1, stop - i - 1));
            i = stop;
        } else {
            literal += QChar::fromLatin1(c);
        }
    }
    flushLiteral();
    return out;
}

namespace {

// Where the year stands among the three numbers of the short date format.
int YearPosition() {
    for (const char c : FormatSettings().ShortDateFormat) {
        const char lc = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lc == 'y')
            return 0;
        if (lc == 'd' || lc == 'm')
            return 2;
    }
    return 2;
}

// The small downward triangle of a drop-down list.
QIcon DropDownIcon(const QColor& color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(QPolygonF({QPointF(4, 6), QPointF(12, 6), QPointF(8, 11)}));
    return QIcon(pixmap);
}

} // namespace

TDateBox::TDateBox(QWidget* parent) : QLineEdit(parent) {
    const char sep = FormatSettings().DateSeparator;
    const QString s = QRegularExpression::escape(QString(QChar::fromLatin1(sep)));
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString("[0-9 ]*(%1[0-9 ]*){0,2}").arg(s)), this));
    setMaxLength(16);
    QAction* drop = addAction(DropDownIcon(palette().color(QPalette::Text)), TrailingPosition);
    drop->setToolTip(tr("Choose from a calendar (Alt+Down)"));
    connect(drop, &QAction::triggered, this, &TDateBox::ShowCalendar);
    connect(this, &QLineEdit::textChanged, this, &TDateBox::TextEdited);

    Popup = new QFrame(this, Qt::Popup);
    Popup->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* popupLayout = new QVBoxLayout(Popup);
    popupLayout->setContentsMargins(1, 1, 1, 1);
    Calendar = new QCalendarWidget;
    popupLayout->addWidget(Calendar);
    Calendar->setDateRange(QDate(kFirstEnteredYear, 1, 1), QDate(9999, 12, 31));
    Calendar->setGridVisible(false);
    QTextCharFormat weekend = Calendar->weekdayTextFormat(Qt::Saturday);
    weekend.setForeground(ReadableOn(QColor(128, 0, 0), Calendar->palette().color(QPalette::Base)));
    Calendar->setWeekdayTextFormat(Qt::Saturday, weekend);
    Calendar->setWeekdayTextFormat(Qt::Sunday, weekend);
    connect(Calendar, &QCalendarWidget::clicked, this, [this](const QDate& d) {
        Popup->hide();
        setDate(d);
        setFocus();
    });
    connect(Calendar, &QCalendarWidget::activated, this, [this](const QDate& d) {
        Popup->hide();
        setDate(d);
        setFocus();
    });
    SetWeekStart(false);
    // Room for the widest date of the format and the drop-down button.
    setMinimumWidth(fontMetrics().horizontalAdvance(
                        QString::fromStdString(DateToStr(EncodeDate(2000, 12, 28)))) +
                    fontMetrics().height() + 24);
}

std::optional<TDateTime> TDateBox::Value() const {
    const std::string t = text().trimmed().toStdString();
    const QStringList parts =
        text().trimmed().split(QChar::fromLatin1(FormatSettings().DateSeparator));
    if (parts.size() != 3)
        return std::nullopt;
    // The text-to-date reading would take a year below 100 as one of the
    // 1900s: such a year is refused as typed, not changed.
    const QString year = parts[YearPosition()].trimmed();
    TDateTime d = 0;
    if (year.size() != 4 || year.toInt() < kFirstEnteredYear || !TryStrToDate(t, d))
        return std::nullopt;
    return d;
}

void TDateBox::setDate(const QDate& d) {
    if (!d.isValid())
        return;
    setText(QString::fromStdString(DateToStr(FromQDate(d))));
    // Also while the box's signals are blocked.
    TextEdited();
}

void TDateBox::TextEdited() {
    const std::optional<TDateTime> v = Value();
    if (!v || ToQDate(*v) == Last)
        return;
    Last = ToQDate(*v);
    emit dateChanged(Last);
}

void TDateBox::SetWeekStart(bool sunday) {
    Calendar->setFirstDayOfWeek(sunday ? Qt::Sunday : Qt::Monday);
}

void TDateBox::ShowCalendar() {
    if (!isEnabled())
        return;
    if (Last.isValid())
        Calendar->setSelectedDate(Last);
    Popup->adjustSize();
    QPoint below = mapToGlobal(QPoint(0, height()));
    if (const QScreen* s = screen()) {
        // Kept on screen: above the box when there is no room below it.
        const QRect g = s->availableGeometry();
        if (below.y() + Popup->height() > g.bottom())
            below.setY(mapToGlobal(QPoint(0, 0)).y() - Popup->height());
        below.setX(std::clamp(below.x(), g.left(), std::max(g.left(), g.right() - Popup->width())));
    }
    Popup->move(below);
    Popup->show();
    Calendar->setFocus();
}

void TDateBox::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Down && e->modifiers() == Qt::AltModifier) ||
        (e->key() == Qt::Key_F4 && e->modifiers() == Qt::NoModifier)) {
        ShowCalendar();
        return;
    }
    QLineEdit::keyPressEvent(e);
}
