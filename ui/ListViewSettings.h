#pragma once
// Keeps a list view's column widths, column order and sort column under the
// list's own registry key (all-text style), so every list of the program
// comes back as the user left it.
#include <QTreeView>
#include <string>
#include <vector>

class TListViewState : public QObject {
public:
    // Reads the key at once (Load); writes it again when destroyed (Save).
    TListViewState(QTreeView* list, std::string key);
    ~TListViewState() override;
    TListViewState(const TListViewState&) = delete;
    TListViewState& operator=(const TListViewState&) = delete;

    void Load();
    void Save();
    // Sorts again (through the list's model) by the column and direction the
    // user chose by clicking a header; rows stay in the order they were added
    // while none is chosen.
    void ReapplySort();
    bool Sorted() const { return SortCol >= 0; }
    int SortColumn() const { return SortCol; }
    Qt::SortOrder SortOrder() const { return Order; }

    // Column widths for the current font, used until the user sizes a
    // column (stored sizes count as the user's): the fill column then takes
    // whatever width the others leave free, at least its own.
    void SetBuiltInWidths(const std::vector<int>& widths, int fillColumn);
    bool UserSized() const { return UserSizedFlag; }
    // The list's width that shows every column at its built-in width.
    int BuiltInListWidth() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void HeaderClicked(int section);
    void ShowSortIndicator();
    void FitFillColumn();

    QTreeView* List;
    int Columns() const;
    std::string Key;
    int SortCol = -1;
    Qt::SortOrder Order = Qt::AscendingOrder;
    std::vector<int> BuiltIn;
    int FillColumn = -1;
    bool UserSizedFlag = false;
    // Set while the widths are changed here rather than by the user.
    bool Fitting = false;
};

// A column wide enough for its heading and for each sample text in the
// list's font.
int ColumnWidthFor(const QTreeView* list, int column, const QStringList& samples);
