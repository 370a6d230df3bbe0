#include "sequencestore.h"
#include "leadingnumber.h"
#include "sequencerules.h"
#include "store/clsConnection.h"

SequenceStore::SequenceStore(clsConnection *connection)
    : m_connection(connection)
{
    m_info.ConnectX(connection);
    m_steps.ConnectX(connection);
    m_ramp.ConnectX(connection);
}

QStringList SequenceStore::names()
{
    // A freshly connected gateway holds the current name list.
    clsSEQUENCE_INFO list;
    list.ConnectX(m_connection);
    const RowsArray &rows = list.JustName();
    QStringList names;
    names.reserve(rows.rowCount());
    for (int i = 0; i < rows.rowCount(); ++i)
        names.append(rows.at(0, i).toString());
    return names;
}

bool SequenceStore::exists(const QString &name)
{
    return m_info.Exists(name);
}

std::optional<SequenceData> SequenceStore::load(const QString &name)
{
    m_info.SEQUENCE_NAME = name;
    m_info.GetSeqDetail();
    if (m_info.IsEmpty())
        return std::nullopt;

    SequenceData d;
    d.id = m_info.SEQUENCE_ID;
    d.name = m_info.SEQUENCE_NAME;
    d.header.timeBeforeRead = numberText(m_info.TIME_BEFORE_READ);
    d.header.sampleInterval = numberText(m_info.SAMPLE_INTERVAL());
    d.header.sampleRate = numberText(m_info.RAMP_SAMPLE_RATE);
    d.header.samplePointsAverage = numberText(m_info.SAMPLE_POINTS_AVERAGE);
    d.header.shutDownATime = numberText(m_info.SHUT_DOWN_ATIME);
    d.header.shutDownVisc = numberText(m_info.SHUT_DOWN_VISC);

    m_steps.SequenceId = d.id;
    m_steps.GetSeqDetail();
    while (!m_steps.IsEmpty() && !m_steps.isEOF()) {
        SequenceStep s;
        s.elapseTime = numberText(m_steps.RAMP_ELAPSE_TIME);
        s.temp = numberText(m_steps.RAMP_TEMP);
        s.tempError = numberText(m_steps.RAMP_START_ERROR);
        s.shearRate = numberText(m_steps.SHEAR_RATE);
        s.runRamp = numberText(m_steps.RUN_RAMP);
        s.recordRate = numberText(m_steps.RECORD_RATE);
        d.steps.append(s);
        m_steps.MoveNext();
    }

    m_ramp.SequenceId = d.id;
    m_ramp.GetSeqDetail();
    while (!m_ramp.IsEmpty() && !m_ramp.isEOF()) {
        d.rampCells.append(numberText(m_ramp.RAMP_SHEAR_RATE));
        m_ramp.MoveNext();
    }
    return d;
}

double SequenceStore::create(const QString &name)
{
    m_info.SetDefaults();
    m_info.SEQUENCE_NAME = name;
    m_info.AddNew();
    return m_info.SEQUENCE_ID;
}

double SequenceStore::copyAs(const SequenceData &source, const QString &newName)
{
    SequenceData copy = source;
    copy.name = newName;
    double newId = 0;
    m_connection->inTransaction([&] {
        setHeaderFields(copy);
        m_info.AddNew();
        newId = m_info.SEQUENCE_ID;
        writeSteps(newId, copy.steps);
        writeRamp(newId, copy.rampCells);
    });
    return newId;
}

void SequenceStore::save(const SequenceData &sequence)
{
    m_connection->inTransaction([&] {
        setHeaderFields(sequence);
        m_info.Update();
        writeSteps(sequence.id, sequence.steps);
        writeRamp(sequence.id, sequence.rampCells);
    });
}

void SequenceStore::remove(const QString &name)
{
    m_info.SEQUENCE_NAME = name;
    m_info.Delete();
}

void SequenceStore::setHeaderFields(const SequenceData &sequence)
{
    const SequenceHeader &h = sequence.header;
    m_info.SetDefaults();
    m_info.SEQUENCE_ID = sequence.id;
    m_info.SEQUENCE_NAME = sequence.name;
    m_info.TIME_BEFORE_READ = leadingNumber(h.timeBeforeRead);
    m_info.RAMP_SAMPLE_RATE = leadingNumber(h.sampleRate);
    m_info.SAMPLE_POINTS_AVERAGE = leadingNumber(h.samplePointsAverage);
    m_info.SHUT_DOWN_ATIME = leadingNumber(h.shutDownATime);
    m_info.SHUT_DOWN_VISC = leadingNumber(h.shutDownVisc);
    m_info.setSAMPLE_INTERVAL(leadingNumber(h.sampleInterval));
}

void SequenceStore::writeSteps(double sequenceId, const QVector<SequenceStep> &steps)
{
    m_steps.SequenceId = sequenceId;
    m_steps.Delete();
    for (const SequenceRules::StepRow &row : SequenceRules::stepRowsToStore(steps)) {
        m_steps.SEQUENCE_RAMP_ID = 0;
        m_steps.SequenceId = sequenceId;
        m_steps.RAMPNO = row.rampNo;
        m_steps.RAMP_ELAPSE_TIME = row.elapseTime;
        m_steps.RAMP_TEMP = row.temp;
        m_steps.RAMP_START_ERROR = row.tempError;
        m_steps.SHEAR_RATE = row.shearRate;
        m_steps.RUN_RAMP = row.runRamp;
        m_steps.RECORD_RATE = row.recordRate;
        m_steps.AddNew();
    }
}

void SequenceStore::writeRamp(double sequenceId, const QStringList &cells)
{
    m_ramp.SequenceId = sequenceId;
    m_ramp.Delete();
    for (const SequenceRules::RampRow &row : SequenceRules::rampRowsToStore(cells)) {
        m_ramp.SEQUENCE_DEF_ID = 0;
        m_ramp.SequenceId = sequenceId;
        m_ramp.RAMP_STEP_NO = row.stepNo;
        m_ramp.RAMP_SHEAR_RATE = row.shearRate;
        m_ramp.AddNew();
    }
}
