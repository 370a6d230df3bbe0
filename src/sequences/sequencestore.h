#pragma once
#include "sequencedata.h"
#include "store/clsSEQUENCE_INFO.h"
#include "store/clsSEQUENCE_RAMP.h"
#include "store/clsSEQUENCE_RAMP_DEFINE.h"
#include <QStringList>
#include <optional>

class clsConnection;

// Reads and writes whole test sequences through the three sequence gateways.
// Every write of more than one row runs in one transaction, so a sequence is
// never left half written. Gateway failures are thrown as StoreError.
class SequenceStore
{
public:
    explicit SequenceStore(clsConnection *connection);

    // Stored sequence names in name order.
    QStringList names();
    bool exists(const QString &name);

    // The stored sequence of that name, or nothing when there is none.
    std::optional<SequenceData> load(const QString &name);

    // A new sequence with default header values, no steps and no ramp rows.
    // Returns its key.
    double create(const QString &name);
    // Stores a copy of the sequence under a new name (steps and ramp rows
    // written as on save). Returns the new key.
    double copyAs(const SequenceData &source, const QString &newName);
    // Rewrites header, steps and ramp rows of the sequence with source.id.
    void save(const SequenceData &sequence);
    // Deletes the sequence with its steps and ramp rows.
    void remove(const QString &name);

private:
    void setHeaderFields(const SequenceData &sequence);
    void writeSteps(double sequenceId, const QVector<SequenceStep> &steps);
    void writeRamp(double sequenceId, const QStringList &cells);

    clsConnection *m_connection;
    clsSEQUENCE_INFO m_info;
    clsSEQUENCE_RAMP m_steps;
    clsSEQUENCE_RAMP_DEFINE m_ramp;
};
