#include "sequencestepsmodel.h"
#include <algorithm>

SequenceStepsModel::SequenceStepsModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

int SequenceStepsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_steps.size());
}

int SequenceStepsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : StepColumnCount;
}

QVariant SequenceStepsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_steps.size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (index.column() == StepNoColumn)
        return QString::number(index.row() + 1);
    return m_steps.at(index.row()).cell(index.column());
}

QVariant SequenceStepsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case StepNoColumn: return QStringLiteral("Step No");
    case ElapseTimeColumn: return QStringLiteral("Elapse\nTime (Min)");
    case TempColumn: return QStringLiteral("Temp\n(°F)");
    case TempErrorColumn: return QStringLiteral("Temp\nError(°F)");
    case ShearRateColumn: return QStringLiteral("Shear\nRate (1/S)");
    case RunRampColumn: return QStringLiteral("Ramp?");
    case RecordRateColumn: return QStringLiteral("Data\nRate");
    default: return {};
    }
}

Qt::ItemFlags SequenceStepsModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() != StepNoColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

bool SequenceStepsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() == StepNoColumn
        || index.row() >= m_steps.size())
        return false;
    const QString text = value.toString();
    SequenceStep &step = m_steps[index.row()];
    if (step.cell(index.column()) == text)
        return true;
    step.setCell(index.column(), text);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    emit edited();
    return true;
}

void SequenceStepsModel::setSteps(const QVector<SequenceStep> &steps)
{
    beginResetModel();
    m_steps = steps;
    endResetModel();
}

void SequenceStepsModel::replaceSteps(const QVector<SequenceStep> &steps)
{
    setSteps(steps);
    emit edited();
}

void SequenceStepsModel::insertStep(int row, const SequenceStep &step)
{
    row = std::clamp(row, 0, int(m_steps.size()));
    beginInsertRows({}, row, row);
    m_steps.insert(row, step);
    endInsertRows();
    renumberFrom(row + 1);
    emit edited();
}

void SequenceStepsModel::removeStep(int row)
{
    if (row < 0 || row >= m_steps.size())
        return;
    beginRemoveRows({}, row, row);
    m_steps.remove(row);
    endRemoveRows();
    renumberFrom(row);
    emit edited();
}

void SequenceStepsModel::renumberFrom(int row)
{
    if (row < m_steps.size())
        emit dataChanged(index(row, StepNoColumn), index(int(m_steps.size()) - 1, StepNoColumn));
}
