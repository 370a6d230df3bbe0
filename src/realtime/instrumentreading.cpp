#include "instrumentreading.h"

InstrumentReading readingFromFrame(const kx720::FrameFields &fields, RotorBobPair &pair)
{
    InstrumentReading reading;
    reading.sampleTemperature = double(fields.field(3));
    pair.setCombination(int(fields.field(7)));
    reading.motorSpeed = double(fields.field(6)) / 100.0;
    reading.shearRate = reading.motorSpeed / pair.factor;
    reading.shearStress = double(fields.field(4));
    reading.pH = double(fields.field(8)) / 10.0;
    return reading;
}

double apparentViscosity(const InstrumentReading &reading)
{
    return reading.shearStress / (reading.shearRate + 0.000001) * 100.0;
}
