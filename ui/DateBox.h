#pragma once
// The program's date boxes: a QDateEdit with a drop-down month calendar that
// shows the short date format, four-digit years, Saturday and Sunday in
// maroon (a lighter red on a dark palette), and the week start of the options.
#include "core/DateTime.h"
#include <QDate>
#include <QDateEdit>
#include <QString>
#include <string>

QDate ToQDate(TDateTime d);
TDateTime FromQDate(const QDate& d);
// A date pattern of the program (d, m, y letters, "/" for the date
// separator, quoted literals) as a Qt display format.
QString QtDatePattern(const std::string& pattern, char dateSeparator);

class TDateBox : public QDateEdit {
    Q_OBJECT
public:
    explicit TDateBox(QWidget* parent = nullptr);
    void SetWeekStart(bool sunday);
    void SetDateValue(TDateTime d) { setDate(ToQDate(d)); }
};
