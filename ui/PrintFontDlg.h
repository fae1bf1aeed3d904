#pragma once
// The print dialog's font choice: family, style, effects and a size of 8 to
// 12 points. The page's fixed row spacing suits those sizes only, so the
// dialog offers no others (the platform's font dialog cannot be limited).
#include <QDialog>
#include <QFont>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;

class TPrintFontDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinPoints = 8;
    static constexpr int kMaxPoints = 12;

    TPrintFontDlg(const QFont& initial, QWidget* parent = nullptr);
    QFont ChosenFont() const;

private:
    void ShowSample();

    QFontComboBox* Family;
    QComboBox* Style;
    QComboBox* Size;
    QCheckBox* Strikeout;
    QCheckBox* Underline;
    QLabel* Sample;
};
