#pragma once
#include "sequencedata.h"
#include <QAbstractTableModel>

// The steps of the shown sequence, one row per step, seven columns. The step
// number column follows the row position and is not editable; every step is
// inserted, moved and removed whole.
class SequenceStepsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit SequenceStepsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    const QVector<SequenceStep> &steps() const { return m_steps; }
    // Shows a loaded sequence (not an edit).
    void setSteps(const QVector<SequenceStep> &steps);

    // Edits: each emits edited().
    void replaceSteps(const QVector<SequenceStep> &steps);
    void insertStep(int row, const SequenceStep &step);
    void removeStep(int row);

signals:
    void edited();

private:
    void renumberFrom(int row);

    QVector<SequenceStep> m_steps;
};
