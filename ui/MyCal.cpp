#include "ui/MyCal.h"
#include "core/Clock.h"
#include "core/FormatSettings.h"
#include "core/HalvaneDates.h"
#include "core/Messages.h"
#include "platform/QtMessages.h"
#include "ui/Theme.h"
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

// Grid lines between the cells and the frame around them, in pixels.
constexpr int kLine = 1;
constexpr int kFrame = 1;

class TUpdatingScope {
public:
    explicit TUpdatingScope(bool& flag) : Flag(flag) { Flag = true; }
    ~TUpdatingScope() { Flag = false; }

private:
    bool& Flag;
};

bool IsDark(const QColor& c) {
    return c.lightness() < 128;
}

} // namespace

QColor TextColourOn(const QColor& colour, const QColor& background) {
    // Large, short texts read at a lower contrast than body text; the stored
    // colours (red on white) stay as the user knows them where they read.
    return ContrastRatio(colour, background) >= 3.0 ? colour : ReadableOn(colour, background);
}

// ---- TMyCalendar ------------------------------------------------------------

TMyCalendar::TMyCalendar(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    Shown = DateOf(Today());
    Prior = Shown;
    LayOutCells();
    Relayout();
}

void TMyCalendar::SetShownDate(TDateTime d) {
    if (!IsValidDateValue(d))
        return;
    d = DateOf(d);
    if (d == Shown)
        return;
    Prior = Shown;
    Shown = d;
    Relayout();
}

int TMyCalendar::DatePart(int part) const {
    const TYmd ymd = DecodeDate(Shown);
    switch (part) {
    case 1:
        return ymd.Year;
    case 2:
        return ymd.Month;
    case 3:
        return ymd.Day;
    default:
        return -1;
    }
}

void TMyCalendar::CheckYear(int year) const {
    if (year < kMinYear || year > kMaxYear)
        throw TTickwellError(
            tr("The calendar runs from the year 1 to the year 9999").toStdString());
}

void TMyCalendar::SetDatePart(int part, int value) {
    if (value <= 0)
        return;
    TYmd ymd = DecodeDate(Shown);
    switch (part) {
    case 1:
        if (value == ymd.Year)
            return;
        CheckYear(value);
        ymd.Year = value;
        break;
    case 2:
        if (value > 12 || value == ymd.Month)
            return;
        ymd.Month = value;
        break;
    case 3:
        if (value > MonthLength(ymd.Year, ymd.Month) || value == ymd.Day)
            return;
        ymd.Day = value;
        break;
    default:
        return;
    }
    ymd.Day = std::min(ymd.Day, MonthLength(ymd.Year, ymd.Month));
    Prior = Shown;
    Shown = EncodeDate(ymd.Year, ymd.Month, ymd.Day);
    Relayout();
}

void TMyCalendar::GoNextMonth() {
    const int month = DatePart(2);
    if (month < 12) {
        SetDatePart(2, month + 1);
    } else {
        CheckYear(DatePart(1) + 1);
        SetDatePart(1, DatePart(1) + 1);
        SetDatePart(2, 1);
    }
    emit MonthChange(DatePart(2));
}

void TMyCalendar::GoPrevMonth() {
    const int month = DatePart(2);
    if (month > 1) {
        SetDatePart(2, month - 1);
    } else {
        CheckYear(DatePart(1) - 1);
        SetDatePart(1, DatePart(1) - 1);
        SetDatePart(2, 12);
    }
    emit MonthChange(DatePart(2));
}

void TMyCalendar::GoNextYear() {
    const int year = DatePart(1);
    CheckYear(year + 1);
    if (LeapYear(year) && DatePart(2) == 2 && DatePart(3) == 29)
        SetDatePart(3, 28);
    SetDatePart(1, year + 1);
    emit YearChange(DatePart(1));
}

void TMyCalendar::GoPrevYear() {
    const int year = DatePart(1);
    CheckYear(year - 1);
    if (LeapYear(year) && DatePart(2) == 2 && DatePart(3) == 29)
        SetDatePart(3, 28);
    SetDatePart(1, year - 1);
    emit YearChange(DatePart(1));
}

int TMyCalendar::MonthLength(int year, int month) const {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return kDays[month - 1] + (month == 2 && LeapYear(year) ? 1 : 0);
}

bool TMyCalendar::LeapYear(int year) const {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int TMyCalendar::CellDay(int col, int row) const {
    if (row < 1 || row >= kRows || col < 0 || col >= kCols)
        return 0;
    const int d = FirstDay + col + (row - 1) * 7;
    return d >= 1 && d <= MonthLength(DatePart(1), DatePart(2)) ? d : 0;
}

QString TMyCalendar::CellText(int col, int row) const {
    if (row == 0) {
        if (col < 0 || col >= kCols)
            return QString();
        const QString name =
            QString::fromStdString(FormatSettings().ShortDayNames[(WeekStart + col) % 7]);
        return TwoDigit ? name.left(2) : name;
    }
    const int d = CellDay(col, row);
    return d ? QString::number(d) : QString();
}

void TMyCalendar::Relayout() {
    const TUpdatingScope scope(Updating);
    const TYmd ymd = DecodeDate(Shown);
    const int w = DayOfWeek(EncodeDate(ymd.Year, ymd.Month, 1));
    FirstDay = 2 - ((w - WeekStart + 7) % 7);
    if (FirstDay == 2)
        FirstDay = -5;
    CurCol = (ymd.Day - FirstDay) % 7;
    CurRow = (ymd.Day - FirstDay) / 7 + 1;
    // A new month repaints everything; within a month only the current cell
    // moves, which a repaint covers as well.
    update();
    emit DateChange(Shown);
}

void TMyCalendar::SetTwoDigitDay(bool on) {
    TwoDigit = on;
    update();
}

void TMyCalendar::SetStartOfWeek(int day) {
    day = ((day % 7) + 7) % 7;
    if (day == WeekStart)
        return;
    WeekStart = day;
    Relayout();
}

void TMyCalendar::SetBlankCellColor(std::uint32_t value) {
    if (value == BlankColour)
        return;
    BlankColour = value;
    update();
}

void TMyCalendar::SetFontColor(std::uint32_t value) {
    if (value == FontColour)
        return;
    FontColour = value;
    update();
}

QColor TMyCalendar::Colour(std::uint32_t value) const {
    return StoredColour(value, palette());
}

// ---- geometry -------------------------------------------------------------

void TMyCalendar::LayOutCells() {
    const QFontMetrics fm(font());
    const int points = font().pointSize() > 0 ? font().pointSize() : fm.height() * 3 / 4;
    // A header a few pixels taller than the font, and never shorter than
    // its text.
    HeaderHeight = std::max(points + 8, fm.height() + 2);
    ColWidth = std::max(1, (width() - 2 * kFrame - 6 * kLine) / kCols);
    RowHeight = std::max(1, (height() - 2 * kFrame - 6 * kLine - kLine - HeaderHeight) / 6);
}

QRect TMyCalendar::GridRect() const {
    return QRect(0, 0, 2 * kFrame + 6 * kLine + kCols * ColWidth,
                 2 * kFrame + 6 * kLine + kLine + HeaderHeight + 6 * RowHeight);
}

QRect TMyCalendar::CellRect(int col, int row) const {
    const int x = kFrame + col * (ColWidth + kLine);
    if (row == 0)
        return QRect(x, kFrame, ColWidth, HeaderHeight);
    const int y = kFrame + HeaderHeight + kLine + (row - 1) * (RowHeight + kLine);
    return QRect(x, y, ColWidth, RowHeight);
}

bool TMyCalendar::CellAt(const QPoint& p, int& col, int& row) const {
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            if (CellRect(c, r).contains(p)) {
                col = c;
                row = r;
                return true;
            }
    return false;
}

QSize TMyCalendar::sizeHint() const {
    const QFontMetrics fm(font());
    return QSize(kCols * (fm.horizontalAdvance(QStringLiteral("Wed")) + 16) + 8,
                 fm.height() * 2 + 6 * (fm.height() * 2 + 4) + 9);
}

QSize TMyCalendar::minimumSizeHint() const {
    const QFontMetrics fm(font());
    return QSize(kCols * (fm.horizontalAdvance(QStringLiteral("00")) + 6) + 8,
                 fm.height() + 8 + 6 * (fm.height() + 2) + 9);
}

void TMyCalendar::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    LayOutCells();
}

void TMyCalendar::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        LayOutCells();
        update();
    } else if (e->type() == QEvent::PaletteChange) {
        update();
    }
}

// ---- selection ------------------------------------------------------------

bool TMyCalendar::SelectCell(int col, int row) const {
    if (!Updating && ReadOnlyFlag)
        return false;
    return CellDay(col, row) != 0;
}

void TMyCalendar::UserSelect(int col, int row) {
    if (!SelectCell(col, row))
        return;
    CurCol = col;
    CurRow = row;
    update();
    Click();
}

void TMyCalendar::Click() {
    if (const int d = CellDay(CurCol, CurRow))
        SetDatePart(3, d);
    emit Clicked();
}

void TMyCalendar::mousePressEvent(QMouseEvent* e) {
    QWidget::mousePressEvent(e);
    if (e->button() != Qt::LeftButton)
        return;
    int col = 0, row = 0;
    if (CellAt(e->position().toPoint(), col, row))
        UserSelect(col, row);
}

void TMyCalendar::mouseDoubleClickEvent(QMouseEvent* e) {
    int col = 0, row = 0;
    if (e->button() != Qt::LeftButton || !CellAt(e->position().toPoint(), col, row) ||
        !SelectCell(col, row))
        return;
    // Where the second press comes as a double click alone, it selects too.
    if (col != CurCol || row != CurRow)
        UserSelect(col, row);
    emit DoubleClicked();
}

void TMyCalendar::MoveByKey(int days) {
    const int target = DatePart(3) + days;
    if (target < 1 || target > MonthLength(DatePart(1), DatePart(2)))
        return;
    const int offset = target - FirstDay;
    UserSelect(offset % 7, offset / 7 + 1);
}

void TMyCalendar::Step(void (TMyCalendar::*step)()) {
    try {
        (this->*step)();
    } catch (const TTickwellError& e) {
        ShowMsg(e.what(), mkError);
    }
}

void TMyCalendar::keyPressEvent(QKeyEvent* e) {
    if (ReadOnlyFlag || (e->modifiers() & (Qt::AltModifier | Qt::MetaModifier))) {
        QWidget::keyPressEvent(e);
        return;
    }
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    switch (e->key()) {
    case Qt::Key_Left:
        MoveByKey(-1);
        break;
    case Qt::Key_Right:
        MoveByKey(1);
        break;
    case Qt::Key_Up:
        MoveByKey(-7);
        break;
    case Qt::Key_Down:
        MoveByKey(7);
        break;
    case Qt::Key_Home:
        MoveByKey(1 - DatePart(3));
        break;
    case Qt::Key_End:
        MoveByKey(MonthLength(DatePart(1), DatePart(2)) - DatePart(3));
        break;
    case Qt::Key_PageUp:
        Step(ctrl ? &TMyCalendar::GoPrevYear : &TMyCalendar::GoPrevMonth);
        break;
    case Qt::Key_PageDown:
        Step(ctrl ? &TMyCalendar::GoNextYear : &TMyCalendar::GoNextMonth);
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
}

// ---- drawing --------------------------------------------------------------

unsigned TMyCalendar::StateOf(int col, int row) const {
    if (row == 0)
        return csFixed;
    if (col != CurCol || row != CurRow)
        return 0;
    return csSelected | (hasFocus() ? csFocused : 0u);
}

QColor TMyCalendar::CellBackground(int col, int row, unsigned state) const {
    if (row == 0)
        return palette().color(QPalette::Button);
    if (CellText(col, row).isEmpty())
        return Colour(BlankColour);
    if (state & (csSelected | csFocused))
        return palette().color(QPalette::Highlight);
    return palette().color(QPalette::Base);
}

void TMyCalendar::WriteCellText(QPainter& p, const QRect& rect, int row,
                                const QString& text) const {
    if (row == 0) {
        p.drawText(rect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextExpandTabs, text);
        return;
    }
    // A little more room than the classic single pixel, so the number does
    // not touch the grid line.
    p.drawText(rect.adjusted(3, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
}

void TMyCalendar::DrawCell(QPainter& p, int col, int row, const QRect& rect, unsigned state) {
    const QColor bg = CellBackground(col, row, state);
    QColor pen = row == 0                           ? palette().color(QPalette::ButtonText)
                 : state & (csSelected | csFocused) ? palette().color(QPalette::HighlightedText)
                                                    : Colour(FontColour);
    p.fillRect(rect, bg);
    p.setPen(TextColourOn(pen, bg));
    WriteCellText(p, rect, row, CellText(col, row));
}

void TMyCalendar::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.setClipRegion(e->region());
    const QRect grid = GridRect();
    p.fillRect(grid, palette().color(QPalette::Mid));
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            const QRect rect = CellRect(c, r);
            if (!e->region().intersects(rect))
                continue;
            p.save();
            p.setClipRect(rect, Qt::IntersectClip);
            p.setFont(font());
            DrawCell(p, c, r, rect, StateOf(c, r));
            p.restore();
        }
    if (hasFocus()) {
        // The current cell shows the focus with a dotted frame inside it.
        const QRect cur = CellRect(CurCol, CurRow).adjusted(1, 1, -2, -2);
        p.setPen(QPen(palette().color(QPalette::HighlightedText), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(cur);
    }
}

// ---- TMarkedCalendar --------------------------------------------------------

TMarkedCalendar::TMarkedCalendar(QWidget* parent) : TMyCalendar(parent) {}

void TMarkedCalendar::ResetMarks() {
    for (auto& column : Marks)
        for (bool& m : column)
            m = false;
}

void TMarkedCalendar::Relayout() {
    if (YearOf(ShownDate()) != YearOf(PriorDate()) || MonthOf(ShownDate()) != MonthOf(PriorDate()))
        ResetMarks();
    TMyCalendar::Relayout();
}

void TMarkedCalendar::SetMarkedPenColor(std::uint32_t value) {
    if (value == PenColour)
        return;
    PenColour = value;
    update();
}

void TMarkedCalendar::SetMarkedBrushColor(std::uint32_t value) {
    if (value == BrushColour)
        return;
    BrushColour = value;
    update();
}

void TMarkedCalendar::SetCenterDate(bool on) {
    if (on == Centred)
        return;
    Centred = on;
    update();
}

void TMarkedCalendar::SetBoldMarkedDate(bool on) {
    if (on == Bold)
        return;
    Bold = on;
    update();
}

QColor TMarkedCalendar::MarkedBackground() const {
    // The classic pale blue would glare on a dark palette: there the default
    // becomes a tint of the palette's own highlight.
    const QColor base = palette().color(QPalette::Base);
    if (BrushColour == kDefaultBrush && IsDark(base))
        return Mixed(base, palette().color(QPalette::Highlight), 0.3);
    return Colour(BrushColour);
}

void TMarkedCalendar::DrawCell(QPainter& p, int col, int row, const QRect& rect, unsigned state) {
    const bool marked = row > 0 && Marks[col][row];
    const bool current = state & (csSelected | csFocused);
    QColor bg = CellBackground(col, row, state);
    QColor pen = marked ? Colour(PenColour) : Colour(kClWindowText);
    if (row == 0)
        pen = palette().color(QPalette::ButtonText);
    if (current)
        pen = palette().color(QPalette::HighlightedText);
    else if (marked && BrushColour != kClNone && !CellText(col, row).isEmpty())
        bg = MarkedBackground();
    QFont f = font();
    f.setBold(Bold && marked);
    p.setFont(f);
    p.fillRect(rect, bg);
    p.setPen(TextColourOn(pen, bg));
    const QString text = CellText(col, row);
    if (Centred)
        p.drawText(rect, Qt::AlignCenter, text);
    else
        WriteCellText(p, rect, row, text);
    p.setFont(font());
    p.setPen(TextColourOn(
        current ? palette().color(QPalette::HighlightedText) : Colour(FontColor()), bg));
    if (OnDrawCell)
        OnDrawCell(p, col, row, rect, state);
}
