#pragma once
// A font choice limited to a range of sizes: family, style, effects and a
// size in whole points. The printed page's fixed row spacing and the
// calendar's cells suit a few sizes only, so the dialog offers no others (the
// platform's font dialog cannot be limited).
#include <QDialog>
#include <QFont>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;

class TFontSizeDlg : public QDialog {
    Q_OBJECT
public:
    TFontSizeDlg(const QFont& initial, int minPoints, int maxPoints, QWidget* parent = nullptr);
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
