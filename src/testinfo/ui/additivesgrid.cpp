#include "additivesgrid.h"
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace {

class CellEditorDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setObjectName(QStringLiteral("txtOverlap"));
        editor->setFrame(false);
        editor->setMaxLength(TestInfoEntry::TextColumnWidth);
        return editor;
    }
};

enum Column { Name, Concentration, Unit, LotNo, ColumnCount };

} // namespace

AdditivesGrid::AdditivesGrid(QWidget *parent) : QTableWidget(TestInfoEntry::AdditiveRows, ColumnCount, parent)
{
    setObjectName(QStringLiteral("MSFlexGrid1"));
    setHorizontalHeaderLabels({QStringLiteral("Additive Name"), QStringLiteral("Concentration"),
                               QStringLiteral("Units"), QStringLiteral("Lot Number")});
    for (int c = 0; c < ColumnCount; ++c)
        horizontalHeaderItem(c)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setMinimumHeight(27);
    horizontalHeader()->setDefaultSectionSize(107);
    horizontalHeader()->setStretchLastSection(true);
    setItemDelegate(new CellEditorDelegate(this));
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked
                    | QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < ColumnCount; ++c)
            setItem(r, c, new QTableWidgetItem);
    }
}

QVector<TestInfoEntry::AdditiveCells> AdditivesGrid::cells() const
{
    QVector<TestInfoEntry::AdditiveCells> out(rowCount());
    for (int r = 0; r < rowCount(); ++r) {
        auto text = [&](int c) { return item(r, c) ? item(r, c)->text() : QString(); };
        out[r] = TestInfoEntry::AdditiveCells{text(Name), text(Concentration), text(Unit), text(LotNo)};
    }
    return out;
}

void AdditivesGrid::setCells(const QVector<TestInfoEntry::AdditiveCells> &cells)
{
    for (int r = 0; r < rowCount(); ++r) {
        const TestInfoEntry::AdditiveCells c = r < cells.size() ? cells.at(r) : TestInfoEntry::AdditiveCells{};
        item(r, Name)->setText(c.name);
        item(r, Concentration)->setText(c.concentration);
        item(r, Unit)->setText(c.unit);
        item(r, LotNo)->setText(c.lotNo);
    }
}

void AdditivesGrid::commitPendingEdit()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget *editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}
