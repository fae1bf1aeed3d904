#pragma once
// The find dialog of the main window: finds the next row of the list whose
// description holds a piece of text, ignoring case.
#include <QDialog>

class QLabel;
class QLineEdit;
class QAbstractItemView;
class QPushButton;

class TFindDlg : public QDialog {
    Q_OBJECT
public:
    // Searches the rows of list, column 0, in display order.
    TFindDlg(QWidget* parent, QAbstractItemView* list);

    // One search step: the next match below the selected row (or from the
    // top after the dialog was shown) becomes the selected row; otherwise
    // "<TEXT> not found!".
    void FindBtnClick();
    void FormShow();
    bool FromStartFlag() const { return FromStart; }

    QLabel* FindTextLabel;
    QLineEdit* FindText;
    QPushButton* FindBtn;
    QPushButton* CloseBtn;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QAbstractItemView* List;
    bool FromStart = true;
};
