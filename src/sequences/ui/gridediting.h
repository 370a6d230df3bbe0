#pragma once
#include <QStyledItemDelegate>
#include <QTableView>

// The cell editor laid over a grid cell: a line edit taking numbers, named
// so that tests and style sheets can find it.
class CellEditorDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    CellEditorDelegate(const QString &editorName, QObject *parent);
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;

private:
    QString m_editorName;
};

// The shear-ramp grid: Enter stores the typed rate and opens the cell below,
// so a staircase is typed one value per line.
class RampGridView : public QTableView
{
    Q_OBJECT
public:
    explicit RampGridView(QWidget *parent = nullptr);

protected:
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
};

// A validator for number fields: digits, one point, a leading sign.
class QValidator;
QValidator *numberValidator(QObject *parent);
