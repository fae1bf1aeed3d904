#pragma once
// The month grid: a header row of weekday names over six week rows of day
// numbers, one cell current. TMyCalendar is the plain grid; TMarkedCalendar
// adds a mark per cell, colours and bold type for marked days, centred
// texts, and a hook through which the owner paints more into a cell. The
// grid knows nothing of events: its owner sets and reads the marks.
#include "core/DateTime.h"
#include <QWidget>
#include <cstdint>
#include <functional>

// How a cell is drawn: the current cell, and whether the grid has the focus.
enum TCellState : unsigned {
    csSelected = 1,
    csFocused = 2,
    csFixed = 4,
};

// Colour values are stored values (ui/Theme.h): 0x00BBGGRR, or 0x80000000
// plus a system colour index, so the grid follows the desktop's palette.
inline constexpr std::uint32_t kClWindowText = 0x80000008u;
inline constexpr std::uint32_t kClInfoBk = 0x80000018u;
// No colour: a marked cell keeps its ordinary background.
inline constexpr std::uint32_t kClNone = 0x1FFFFFFFu;

class TMyCalendar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCols = 7;
    static constexpr int kRows = 7;

    explicit TMyCalendar(QWidget* parent = nullptr);

    TDateTime ShownDate() const { return Shown; }
    // A different value: PriorDate takes the old one, then Relayout.
    void SetShownDate(TDateTime d);
    TDateTime PriorDate() const { return Prior; }

    // 1 year, 2 month, 3 day of ShownDate; -1 for any other part.
    int DatePart(int part) const;
    // Changes one part of ShownDate; values out of range are ignored, a day
    // beyond the new month's end becomes its last day. A year outside
    // 1..9999 throws TTickwellError and changes nothing.
    void SetDatePart(int part, int value);
    void GoNextMonth();
    void GoPrevMonth();
    void GoNextYear();
    void GoPrevYear();

    virtual int MonthLength(int year, int month) const;
    virtual bool LeapYear(int year) const;

    // Row 0: the abbreviated weekday name; other rows: the day number, or
    // empty for a cell outside the shown month.
    QString CellText(int col, int row) const;
    // The day a week cell stands for (1..31), or 0 for a blank or header cell.
    int CellDay(int col, int row) const;
    // The day column 0 of week row 1 stands for: -5 to 1.
    int FirstCellDay() const { return FirstDay; }
    int Col() const { return CurCol; }
    int Row() const { return CurRow; }
    QRect CellRect(int col, int row) const;
    // The cell under a point, false when the point is on no cell.
    bool CellAt(const QPoint& p, int& col, int& row) const;
    // The area the cells fill: whole cells only, so it may be a little
    // smaller than the widget.
    QRect GridRect() const;

    bool TwoDigitDay() const { return TwoDigit; }
    // Repaints even when unchanged.
    void SetTwoDigitDay(bool on);
    bool ReadOnly() const { return ReadOnlyFlag; }
    void SetReadOnly(bool on) { ReadOnlyFlag = on; }
    // 0 Sunday .. 6 Saturday for column 0.
    int StartOfWeek() const { return WeekStart; }
    void SetStartOfWeek(int day);
    std::uint32_t BlankCellColor() const { return BlankColour; }
    void SetBlankCellColor(std::uint32_t value);
    // The colour of the grid's font (the text of the day cells).
    std::uint32_t FontColor() const { return FontColour; }
    void SetFontColor(std::uint32_t value);

    // A stored colour value as this grid shows it on its palette.
    QColor Colour(std::uint32_t value) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // At the end of every Relayout.
    void DateChange(TDateTime newDate);
    void MonthChange(int month);
    void YearChange(int year);
    // After the user moved the current cell, by mouse or keyboard.
    void Clicked();
    void DoubleClicked();

protected:
    virtual void Relayout();
    virtual void DrawCell(QPainter& p, int col, int row, const QRect& rect, unsigned state);
    // The background a week cell gets before anything is written in it.
    QColor CellBackground(int col, int row, unsigned state) const;
    // The grid's answer to a move of the current cell by the user.
    bool SelectCell(int col, int row) const;
    // Moves the current cell as the user asked, then Click.
    void UserSelect(int col, int row);
    unsigned StateOf(int col, int row) const;
    bool UpdatingLayout() const { return Updating; }
    // Writes text at the cell's left + 1, top + 1 (rows > 0) or centred at
    // its top (header), clipped to the cell.
    void WriteCellText(QPainter& p, const QRect& rect, int row, const QString& text) const;

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void Click();
    void LayOutCells();
    // Checks that a step to this year stays within the date range.
    void CheckYear(int year) const;
    void MoveByKey(int days);
    // Runs a step; an error it raises is shown, the grid keeps its date.
    void Step(void (TMyCalendar::*step)());

    TDateTime Shown = 0;
    TDateTime Prior = 0;
    bool TwoDigit = false;
    int FirstDay = 1;
    bool ReadOnlyFlag = false;
    int WeekStart = 0;
    bool Updating = false;
    std::uint32_t BlankColour = kClInfoBk;
    std::uint32_t FontColour = kClWindowText;
    int CurCol = 0;
    int CurRow = 1;
    int ColWidth = 0;
    int RowHeight = 0;
    int HeaderHeight = 0;
};

class TMarkedCalendar : public TMyCalendar {
    Q_OBJECT
public:
    static constexpr std::uint32_t kDefaultPen = 0x000000FFu;
    static constexpr std::uint32_t kDefaultBrush = 0x00FFFBF0u;

    explicit TMarkedCalendar(QWidget* parent = nullptr);

    bool Mark(int col, int row) const { return Marks[col][row]; }
    // Does not repaint: the owner repaints once it has finished marking.
    void SetMark(int col, int row, bool on) { Marks[col][row] = on; }
    void ResetMarks();

    std::uint32_t MarkedPenColor() const { return PenColour; }
    void SetMarkedPenColor(std::uint32_t value);
    std::uint32_t MarkedBrushColor() const { return BrushColour; }
    void SetMarkedBrushColor(std::uint32_t value);
    bool CenterDate() const { return Centred; }
    void SetCenterDate(bool on);
    bool BoldMarkedDate() const { return Bold; }
    void SetBoldMarkedDate(bool on);

    // Called after the grid has drawn a cell, with the painter's pen and font
    // as the grid left them.
    std::function<void(QPainter& p, int col, int row, const QRect& rect, unsigned state)>
        OnDrawCell;

    // The background of a marked cell that is not current.
    QColor MarkedBackground() const;

protected:
    void Relayout() override;
    void DrawCell(QPainter& p, int col, int row, const QRect& rect, unsigned state) override;

private:
    bool Marks[kCols][kRows] = {};
    std::uint32_t PenColour = kDefaultPen;
    std::uint32_t BrushColour = kDefaultBrush;
    bool Centred = false;
    bool Bold = false;
};

// text in colour, made readable on background where it would not be.
QColor TextColourOn(const QColor& colour, const QColor& background);
