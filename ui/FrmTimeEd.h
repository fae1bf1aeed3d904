#pragma once
// The time editor of the schedule: the time in lime digits on black, and
// arrow buttons that step the hours and the minutes (held down, they repeat
// after half a second, then every 100 ms).
#include "core/DateTime.h"
#include <QDialog>
#include <string>

class QLabel;
class QPushButton;
class QToolButton;
class TTickTimer;

class TTimeFrm : public QDialog {
    Q_OBJECT

public:
    explicit TTimeFrm(QWidget* parent = nullptr);

    // The time shown when the dialog opens (a day fraction).
    TDateTime StartTime = 0;

    QLabel* TimePanel;
    QToolButton* HourUpBtn;
    QToolButton* HourDownBtn;
    QToolButton* MinuteUpBtn;
    QToolButton* MinuteDownBtn;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QToolButton* ArrowButton(const char* name, Qt::ArrowType arrow, int tag);
    void Step();
    void RepeatTimerTick();

    int StepKind = 0; // 0 hour up, 1 hour down, 2 minute up, 3 minute down
    int RepeatCount = 0;
    TTickTimer* RepeatTimer;
};

// Opens the editor on a time of day ("hh:nn"; empty starts at 00:00). On OK
// the text becomes the edited time and the answer is true; on Cancel the
// text is left as it was.
bool EditTime(std::string& text);
