#include "sequencedata.h"

QString SequenceStep::cell(int column) const
{
    switch (column) {
    case ElapseTimeColumn: return elapseTime;
    case TempColumn: return temp;
    case TempErrorColumn: return tempError;
    case ShearRateColumn: return shearRate;
    case RunRampColumn: return runRamp;
    case RecordRateColumn: return recordRate;
    default: return {};
    }
}

void SequenceStep::setCell(int column, const QString &text)
{
    switch (column) {
    case ElapseTimeColumn: elapseTime = text; break;
    case TempColumn: temp = text; break;
    case TempErrorColumn: tempError = text; break;
    case ShearRateColumn: shearRate = text; break;
    case RunRampColumn: runRamp = text; break;
    case RecordRateColumn: recordRate = text; break;
    default: break;
    }
}

QString numberText(double value)
{
    return QString::number(value, 'g', 15);
}
