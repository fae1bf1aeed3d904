#pragma once
// The program's date boxes: the short date format with four-digit years, and
// a drop-down month calendar with Saturday and Sunday in maroon (a lighter red
// on a dark palette) and the week start of the options.
#include "core/DateTime.h"
#include <QDate>
#include <QLineEdit>
#include <QString>
#include <optional>
#include <string>

class QCalendarWidget;
class QFrame;

QDate ToQDate(TDateTime d);
TDateTime FromQDate(const QDate& d);
// A date pattern of the program (d, m, y letters, "/" for the date
// separator, quoted literals) as a Qt display format.
QString QtDatePattern(const std::string& pattern, char dateSeparator);

// A text box for one date in the short date format, with a drop-down month
// calendar. What is typed stays exactly as typed: a whole date over a
// selected one is that date, and an empty, incomplete or impossible date is
// left for the dialog's own check rather than being corrected behind the
// user's back (as a spin-box date editor would).
class TDateBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TDateBox(QWidget* parent = nullptr);
    // The date the text names: day, month and a four-digit year from 0100
    // in the short date format's order. Nothing for any other text.
    std::optional<TDateTime> Value() const;
    // The text's date, or the last one the box held while it names none.
    QDate date() const { return Last; }
    void setDate(const QDate& d);
    void SetDateValue(TDateTime d) { setDate(ToQDate(d)); }
    void SetWeekStart(bool sunday);
    QCalendarWidget* calendarWidget() const { return Calendar; }
    // Drops the month calendar down under the box (also Alt+Down and F4).
    void ShowCalendar();

signals:
    void dateChanged(const QDate& date);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void TextEdited();
    QFrame* Popup;
    QCalendarWidget* Calendar;
    QDate Last;
};
