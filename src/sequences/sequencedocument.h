#pragma once
#include "sequencedata.h"
#include "sequencestepsmodel.h"
#include "shearrampmodel.h"
#include <QObject>

// The sequence shown in the editor: header fields, steps and shear ramp,
// and whether any of it was edited since it was loaded or saved.
class SequenceDocument : public QObject
{
    Q_OBJECT
public:
    enum class Field {
        TimeBeforeRead,
        SampleInterval,
        SampleRate,
        SamplePointsAverage,
        ShutDownATime,
        ShutDownVisc,
    };

    explicit SequenceDocument(QObject *parent = nullptr);

    bool hasSequence() const { return m_hasSequence; }
    double id() const { return m_id; }
    QString name() const { return m_name; }
    const SequenceHeader &header() const { return m_header; }
    QString field(Field field) const;

    SequenceStepsModel *steps() { return &m_steps; }
    ShearRampModel *ramp() { return &m_ramp; }

    SequenceData data() const;
    // Shows a sequence as loaded; clears the changed flag.
    void load(const SequenceData &sequence);
    // Shows nothing (after a delete); clears the changed flag.
    void clear();

    // An edit of a header field; sets the changed flag when the text differs.
    void setField(Field field, const QString &text);

    bool isModified() const { return m_modified; }
    void markSaved() { setModified(false); }

signals:
    void modifiedChanged(bool modified);
    void loaded();

private:
    QString &fieldRef(Field field);
    void setModified(bool modified);

    bool m_hasSequence = false;
    double m_id = 0;
    QString m_name;
    SequenceHeader m_header;
    SequenceStepsModel m_steps;
    ShearRampModel m_ramp;
    bool m_modified = false;
};
