#pragma once
// The event editor: the one modal dialog through which an event is added or
// changed. It turns plain-language repeat choices into the event's type,
// rank, weekday and interval, checks the input on OK and writes the result
// into the event, or makes a new event in the master list. It never saves
// the data file: the caller does.
#include "core/DateTime.h"
#include "core/EventRecord.h"
#include "core/NewEventRules.h"
#include <QDialog>
#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TDateBox;
class TDescriptionEdit;
class TEventBook;
class TTickwellItem;

class TEditFrm : public QDialog {
    Q_OBJECT
public:
    explicit TEditFrm(QWidget* parent = nullptr);
    ~TEditFrm() override;

    // Loads an existing event into the controls (before showing).
    void LoadEvent(const TTickwellItem& e);
    // The record of what the controls hold, once the checks have passed.
    EventRecord Record() const;
    // OK on an add: a new event from the controls, with its past occurrence
    // acknowledged, for the book to take.
    TTickwellItem* CreateEvent() const;

    // The checks of OK, in order; the first failure moves the focus and
    // throws TTickwellError with its message.
    void FormCloseQuery();

    void SetUpControls();
    void DoMonthDates();
    void DoMonthDays();
    // The ordinal word of n (1 to 22) in the user's language.
    static QString Ordinal(int n);
    void ResizeForm();

    bool Editing() const { return EditingFlag; }
    bool OnceOnly() const { return OnceOnlyFlag; }
    bool NoEnd() const { return NoEndFlag; }
    int FullHeight() const { return FullHeightValue; }

    // Top panel.
    TDescriptionEdit* DescriptionEdit;
    // How many characters the description has room for still.
    QLabel* DescriptionRoom;
    TDateBox* EventDate;
    QSpinBox* Notice;
    QRadioButton* Once;
    QRadioButton* Rept;
    QCheckBox* Keep;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
    // Repeat panel.
    QFrame* RepeatPanel;
    QComboBox* TypeCombo;
    QComboBox* DayIndex;
    QSpinBox* IntervalSpin;
    QComboBox* Combo;
    QRadioButton* NoEndRad;
    QRadioButton* UntilRad;
    TDateBox* DateBox;

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    // What the controls hold.
    TEventInput Input() const;
    void FormShow();
    void TypeComboChange();
    void DayIndexChange();
    void IntervalChange();
    void EventDateChange();
    void OnceClick();
    void ReptClick();
    void EndChoiceClick();
    void HelpBtnClick();
    TDateTime StartDateNow() const;

    bool EditingFlag = false;
    int FullHeightValue = 0;
    bool OnceOnlyFlag = false;
    bool NoEndFlag = true;
    bool ShownFlag = false;
    // Set when the calendar window was the active window as the dialog was
    // made: a new event then starts on the day selected there.
    bool CalendarActive = false;
    TDateTime CalendarDate = 0;
    // What an edited event held, kept where a list has no valid selection.
    int OriginalRank = 0;
    int OriginalWeekday = 1;
    std::array<std::string, 8> LongDayNames; // 1 Sunday .. 7 Saturday
    std::array<QString, 5> WeekOrdinals;
};

// The dialog while it exists, null otherwise. Timer and tray actions test it
// so that they do not open windows over the editor.
extern TEditFrm* EditFrm;

// With isEdit false a new event is made and added to the book (event is
// ignored); with isEdit true the given event of the book is shown and
// changed on OK. Returns the
// changed or the new event, or null when the user cancelled. An event that
// another program deleted or edited while the editor was open is changed
// only when the user agrees to add the edit as a new event
// (kChangedElsewhereText). Refused while changes cannot be saved.
TTickwellItem* EditEvent(TEventBook& book, bool isEdit, TTickwellItem* event);

inline constexpr const char* kChangedElsewhereText = QT_TRANSLATE_NOOP(
    "TEditFrm", "Another program has changed or deleted this event while you were "
                "editing it.\nAdd your version as a new event?");

// "first" .. "twenty second" for 1..22, empty for any other n.
