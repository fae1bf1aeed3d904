#pragma once
// The count-down alert shown when the date changes while event windows are
// open: after 60 seconds (or at once with "Update") the events are
// recomputed for the new day and the open windows brought up to date;
// "Cancel" leaves them as they are.
#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class TTickTimer;

class TMidnightFrm : public QDialog {
    Q_OBJECT

public:
    // recomputeForToday brings the events to the new day.
    explicit TMidnightFrm(std::function<void()> recomputeForToday, QWidget* parent = nullptr);
    ~TMidnightFrm() override;

    QLabel* SecondsLabel;
    QPushButton* UpdateBtn;
    QPushButton* CancelBtn;

private:
    void CountDownTick();
    void UpdateWindows();
    void ShowSecondsLeft();

    std::function<void()> RecomputeForToday;
    int Elapsed = 0;
    TTickTimer* CountDown;
};

// The alert while it is open, null otherwise.
extern TMidnightFrm* MidnightFrm;

// Beeps and shows the alert (modal, on top, centred), unless one is open
// already. Returns at once; the alert frees itself when it closes.
void ShowCountDownAlert(const std::function<void()>& recomputeForToday);
