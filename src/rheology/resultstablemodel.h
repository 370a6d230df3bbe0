#pragma once
#include "rampanalysis.h"
#include "sequences/unitsystem.h"
#include <QAbstractTableModel>
#include <QMap>
#include <QStringList>
#include <array>

namespace rheology {

// The ramp results table shown by the unit window and the main window and
// read by the reports: one header row and one row per shear ramp, 12 columns.
// Model row r is the table row of ramp r + 1 (the header is headerData).
// Cells are kept as texts, exactly as shown; rows are stored sparsely so that
// a ramp number read from a damaged test cannot allocate millions of rows.
class ResultsTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        ColRamp, ColTime, ColTemp, ColNPrime, ColKPrime, ColRSquared,
        ColKv, ColKSlot, ColVisc40, ColVisc100, ColVisc170, ColPH,
        ColumnCount
    };
    using RowCells = std::array<QString, ColumnCount>;

    explicit ResultsTableModel(QObject *parent = nullptr);

    // Header texts for the unit system and one blank ramp row (rows beyond
    // the first are dropped, the first keeps its texts).
    void SetResultsGridHeader(int unitSystem = UnitSystem::current());
    // Header row only (no ramp rows).
    void resetToHeader() { setRampRowCount(0); }
    // Ramp rows kept below the header; new rows are blank, dropped rows lose
    // their texts.
    void setRampRowCount(int rows);
    int rampRowCount() const { return m_rows; }

    // Row filling after an evaluation: when there is any result the table
    // gets lastRamp ramp rows, then each result writes its row. Rows of ramps
    // without a result keep what they showed.
    void showEvaluation(const RampEvaluation &evaluation, int unitSystem = UnitSystem::current());
    // The same for some of an evaluation's results (a live update); with
    // anyResult false nothing changes, as for an evaluation without results.
    void showResults(int lastRamp, bool anyResult, const QVector<RampResult> &results,
                     int unitSystem = UnitSystem::current());

    // Cell of ramp row rampNo (1-based, like the grid row) and column.
    QString cellText(int rampNo, int column) const;
    RowCells rowCells(int rampNo) const;
    // Header of a column: its lines, and the lines joined by '\n'.
    QStringList headerLines(int column) const { return m_header.value(column); }
    QString headerText(int column) const { return headerLines(column).join(QLatin1Char('\n')); }
    int unitSystem() const { return m_unitSystem; }

    static QStringList headerLinesFor(int column, int unitSystem);
    // Writes a result into a row's cells as the table shows it. Returns false
    // (cells untouched) for an accepted ramp under an unknown unit system.
    // A rejected ramp leaves the pH cell as it was.
    static bool fillRow(RowCells &cells, const RampResult &result, int unitSystem);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void writeResult(const RampResult &result, int unitSystem);

    QList<QStringList> m_header;
    int m_unitSystem = UnitSystem::CGS;
    int m_rows = 0;
    QMap<int, RowCells> m_cells;     // by ramp number; missing rows are blank
};

} // namespace rheology
