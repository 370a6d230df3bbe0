#include "shearrampmodel.h"

ShearRampModel::ShearRampModel(QObject *parent)
    : QAbstractTableModel(parent)
{
    setCells({});
}

int ShearRampModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Rows;
}

int ShearRampModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant ShearRampModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_cells.at(index.row());
    return {};
}

QVariant ShearRampModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return QStringLiteral("Shear Rate");
    return QString::number(section + 1);
}

Qt::ItemFlags ShearRampModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool ShearRampModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    const QString text = value.toString();
    if (m_cells.at(index.row()) == text)
        return true;
    m_cells[index.row()] = text;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    emit edited();
    return true;
}

void ShearRampModel::setCells(const QStringList &cells)
{
    beginResetModel();
    m_cells = cells.mid(0, Rows);
    while (m_cells.size() < Rows)
        m_cells.append(QString());
    endResetModel();
}
