#pragma once
#include "testinfo/testinfoentry.h"
#include <QTableWidget>

// The additives grid of the test information dialogs: ten data rows of name,
// concentration, units and lot number, edited in place. The cell editor is a
// line edit named txtOverlap; what is typed lands in the cell when the editor
// loses the focus.
class AdditivesGrid : public QTableWidget
{
    Q_OBJECT
public:
    explicit AdditivesGrid(QWidget *parent = nullptr);

    QVector<TestInfoEntry::AdditiveCells> cells() const;
    void setCells(const QVector<TestInfoEntry::AdditiveCells> &cells);
    // Writes an open editor's text into its cell (before OK/Save reads the grid).
    void commitPendingEdit();
};
