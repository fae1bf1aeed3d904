#pragma once
// Printing of all events or the due events as a four-column table, on the
// chosen printer or, where no printer is installed, into a PDF file.
#include "core/TrNoop.h"
#include <QDialog>
#include <QFont>

class QLabel;
class TEventBook;
class QPrinter;
class QPushButton;
class QRadioButton;
class QGroupBox;

inline constexpr const char* kPrinterMessage =
    TW_TRANSLATE_NOOP("Messages", "Unable to communicate with Printer. Check that your printer "
                                  "driver is loaded and printer is on");

// The printer the program prints on, chosen in "Print Setup..." and kept for
// the rest of the run.
QPrinter& CurrentPrinter();
// Makes the printer usable: the default printer when none is chosen, or a
// PDF file when no printer is installed. False when nothing can be printed.
bool CheckPrinter(QPrinter& printer);
// What the dialog's "To:" line shows for the printer.
QString PrinterDescription(const QPrinter& printer);

// The main window's "Print..." command.
void PrintEventsCommand(TEventBook& book, QWidget* parent);
// The main window's "Print Setup..." command.
void PrintSetupCommand(QWidget* parent);

class TprnMainFrm : public QDialog {
    Q_OBJECT
public:
    explicit TprnMainFrm(TEventBook& book, QWidget* parent = nullptr);

    // Prints as chosen; true when the job went to the printer or file.
    bool PrintBtnClick();
    void FontBtnClick();
    // Prints the chosen events on the printer as it is set up; false when
    // the job could not be started.
    bool RunJob(QPrinter& printer);
    bool DueOnly() const;
    void SetDueOnly(bool dueOnly);

    QGroupBox* ChoiceGroup;
    QRadioButton* DueItem;
    QRadioButton* AllItem;
    QLabel* PrinterLabel;
    QLabel* ToLabel;
    QLabel* TitleLabel;
    QPushButton* PrintBtn;
    QPushButton* CancelBtn;
    QPushButton* FontBtn;
    QFont PrintFont;

private:
    TEventBook& Book;
};
