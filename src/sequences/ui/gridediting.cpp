#include "gridediting.h"
#include <QLineEdit>
#include <QRegularExpressionValidator>

QValidator *numberValidator(QObject *parent)
{
    return new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[-+]?[0-9]*\\.?[0-9]*")), parent);
}

CellEditorDelegate::CellEditorDelegate(const QString &editorName, QObject *parent)
    : QStyledItemDelegate(parent), m_editorName(editorName)
{
}

QWidget *CellEditorDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                          const QModelIndex &) const
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(m_editorName);
    edit->setValidator(numberValidator(edit));
    edit->setFrame(false);
    return edit;
}

RampGridView::RampGridView(QWidget *parent)
    : QTableView(parent)
{
}

void RampGridView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    // The item delegate ends an edit with SubmitModelCache on Enter/Return.
    if (hint != QAbstractItemDelegate::SubmitModelCache) {
        QTableView::closeEditor(editor, hint);
        return;
    }
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    const QModelIndex below = currentIndex().siblingAtRow(currentIndex().row() + 1);
    if (below.isValid()) {
        setCurrentIndex(below);      // opens the editor when moving the cursor does
        if (state() != EditingState)
            edit(below);
    }
}
