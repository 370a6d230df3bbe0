#pragma once
#include <QAbstractTableModel>
#include <QStringList>

// The shear-ramp staircase: one shear rate per row, rows 1 to 40 (ramp step
// number = row number).
class ShearRampModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int Rows = 40;

    explicit ShearRampModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    const QStringList &cells() const { return m_cells; }
    // Shows a loaded staircase (not an edit); extra cells are dropped.
    void setCells(const QStringList &cells);

signals:
    void edited();

private:
    QStringList m_cells;
};
