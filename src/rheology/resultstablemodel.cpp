#include "resultstablemodel.h"
#include "numberformat.h"

namespace rheology {

namespace {
constexpr double kDynPerLbf100 = 478.8;   // dyn/cm² per lbf/100 ft², times 100

QString consistencyText(double value, int unitSystem)
{
    return formatNumber(100 * value / kDynPerLbf100,
                        unitSystem == UnitSystem::CGS ? QStringLiteral("0.0000")
                                                      : QStringLiteral("0000.0"));
}

double displayTemperature(double fahrenheit, int unitSystem)
{
    return unitSystem == UnitSystem::SI ? (fahrenheit - 32) / 1.8 : fahrenheit;
}
} // namespace

ResultsTableModel::ResultsTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
    m_unitSystem = UnitSystem::current();
    for (int c = 0; c < ColumnCount; ++c)
        m_header.append(headerLinesFor(c, m_unitSystem));
}

QStringList ResultsTableModel::headerLinesFor(int column, int unitSystem)
{
    const QString consistencyUnit[] = {QStringLiteral("lbf-s^n"), QStringLiteral("/100 ft2")};
    switch (column) {
    case ColRamp: return {QStringLiteral("Seq."), QStringLiteral("Step")};
    case ColTime: return {QStringLiteral("Time "), QStringLiteral("(Min)")};
    case ColTemp:
        return {QStringLiteral("Temp"),
                unitSystem == UnitSystem::SI ? QStringLiteral("(C°)") : QStringLiteral("(F°)")};
    case ColNPrime: return {QStringLiteral("n'")};
    case ColKPrime: return {QStringLiteral("K' "), consistencyUnit[0], consistencyUnit[1]};
    case ColRSquared: return {QStringLiteral("Coef."), QStringLiteral("Detn."), QStringLiteral("(R^2)")};
    case ColKv: return {QStringLiteral("Kv"), consistencyUnit[0], consistencyUnit[1]};
    case ColKSlot: return {QStringLiteral("K'slot"), consistencyUnit[0], consistencyUnit[1]};
    case ColVisc40: return {QStringLiteral("Visc"), QStringLiteral("@40 1/S (cP)")};
    case ColVisc100: return {QStringLiteral("Visc"), QStringLiteral("@100 1/S (cP)")};
    case ColVisc170: return {QStringLiteral("Visc"), QStringLiteral("@170 1/S (cP)")};
    case ColPH: return {QStringLiteral("pH")};
    default: return {};
    }
}

void ResultsTableModel::SetResultsGridHeader(int unitSystem)
{
    m_unitSystem = unitSystem;
    for (int c = 0; c < ColumnCount; ++c)
        m_header[c] = headerLinesFor(c, unitSystem);
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    setRampRowCount(1);
}

void ResultsTableModel::setRampRowCount(int rows)
{
    rows = qMax(0, rows);
    if (rows == m_rows)
        return;
    if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_cells.erase(m_cells.upperBound(rows), m_cells.end());
        m_rows = rows;
        endRemoveRows();
    } else {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
}

bool ResultsTableModel::fillRow(RowCells &cells, const RampResult &r, int unitSystem)
{
    const bool knownUnits = unitSystem == UnitSystem::CGS || unitSystem == UnitSystem::EI
                            || unitSystem == UnitSystem::SI;
    if (r.accepted && !knownUnits)
        return false;
    cells[ColRamp] = QString::number(r.rampNo);
    cells[ColTime] = formatNumber(r.closingTime / 60, QStringLiteral("#."));
    cells[ColTemp] = formatNumber(displayTemperature(r.temperature, unitSystem), QStringLiteral("###"));
    cells[ColNPrime] = formatNumber(r.nPrime, QStringLiteral("0.0000"));
    if (!r.accepted) {
        for (int c = ColKPrime; c <= ColVisc170; ++c)
            cells[c] = QStringLiteral("N/A");
        return true;
    }
    cells[ColKPrime] = consistencyText(r.kPrime, unitSystem);
    cells[ColRSquared] = formatNumber(r.rSquared, QStringLiteral("0.0000"));
    cells[ColKv] = consistencyText(r.kv, unitSystem);
    cells[ColKSlot] = consistencyText(r.kSlot, unitSystem);
    cells[ColVisc40] = formatNumber(r.visc40, QStringLiteral("#"));
    cells[ColVisc100] = formatNumber(r.visc100, QStringLiteral("#"));
    cells[ColVisc170] = formatNumber(r.visc170, QStringLiteral("#"));
    cells[ColPH] = formatNumber(r.pH, QStringLiteral("#0.0"));
    return true;
}

void ResultsTableModel::writeResult(const RampResult &result, int unitSystem)
{
    if (result.rampNo < 1 || result.rampNo > m_rows)
        return;
    RowCells cells = m_cells.value(result.rampNo);
    if (!fillRow(cells, result, unitSystem))
        return;
    if (cells == m_cells.value(result.rampNo))
        return;
    m_cells.insert(result.rampNo, cells);
    const int row = result.rampNo - 1;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1), {Qt::DisplayRole});
}

void ResultsTableModel::showEvaluation(const RampEvaluation &evaluation, int unitSystem)
{
    showResults(evaluation.lastRamp, !evaluation.results.isEmpty(), evaluation.results, unitSystem);
}

void ResultsTableModel::showResults(int lastRamp, bool anyResult, const QVector<RampResult> &results,
                                    int unitSystem)
{
    if (!anyResult)
        return;
    setRampRowCount(lastRamp);
    for (const RampResult &r : results)
        writeResult(r, unitSystem);
}

QString ResultsTableModel::cellText(int rampNo, int column) const
{
    if (column < 0 || column >= ColumnCount)
        return {};
    const auto it = m_cells.constFind(rampNo);
    return it == m_cells.constEnd() ? QString() : (*it)[column];
}

ResultsTableModel::RowCells ResultsTableModel::rowCells(int rampNo) const
{
    return m_cells.value(rampNo);
}

int ResultsTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ResultsTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ResultsTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row() + 1, index.column());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant ResultsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < ColumnCount) {
        if (role == Qt::DisplayRole)
            return headerText(section);
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace rheology
