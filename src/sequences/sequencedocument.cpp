#include "sequencedocument.h"

SequenceDocument::SequenceDocument(QObject *parent)
    : QObject(parent)
{
    connect(&m_steps, &SequenceStepsModel::edited, this, [this] { setModified(true); });
    connect(&m_ramp, &ShearRampModel::edited, this, [this] { setModified(true); });
}

QString SequenceDocument::field(Field field) const
{
    return const_cast<SequenceDocument *>(this)->fieldRef(field);
}

QString &SequenceDocument::fieldRef(Field field)
{
    switch (field) {
    case Field::TimeBeforeRead: return m_header.timeBeforeRead;
    case Field::SampleInterval: return m_header.sampleInterval;
    case Field::SampleRate: return m_header.sampleRate;
    case Field::SamplePointsAverage: return m_header.samplePointsAverage;
    case Field::ShutDownATime: return m_header.shutDownATime;
    case Field::ShutDownVisc: break;
    }
    return m_header.shutDownVisc;
}

SequenceData SequenceDocument::data() const
{
    SequenceData d;
    d.id = m_id;
    d.name = m_name;
    d.header = m_header;
    d.steps = m_steps.steps();
    d.rampCells = m_ramp.cells();
    return d;
}

void SequenceDocument::load(const SequenceData &sequence)
{
    m_hasSequence = true;
    m_id = sequence.id;
    m_name = sequence.name;
    m_header = sequence.header;
    m_steps.setSteps(sequence.steps);
    m_ramp.setCells(sequence.rampCells);
    setModified(false);
    emit loaded();
}

void SequenceDocument::clear()
{
    m_hasSequence = false;
    m_id = 0;
    m_name.clear();
    m_header = SequenceHeader();
    m_steps.setSteps({});
    m_ramp.setCells({});
    setModified(false);
    emit loaded();
}

void SequenceDocument::setField(Field field, const QString &text)
{
    QString &ref = fieldRef(field);
    if (ref == text)
        return;
    ref = text;
    setModified(true);
}

void SequenceDocument::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}
