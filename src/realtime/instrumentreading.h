#pragma once
#include "frameprotocol.h"
#include "rotorbob.h"

// The latest values of one unit. Pressure has no frame field and stays 0.
struct InstrumentReading
{
    double sampleTemperature = 0;   // °F
    double shearStress = 0;         // dyn/cm²
    double shearRate = 0;           // 1/s
    double pH = 0;
    double pressure = 0;
    double motorSpeed = 0;          // rpm

    friend bool operator==(const InstrumentReading &, const InstrumentReading &) = default;
};

// Scales an accepted frame. The frame's combination number updates the
// unit's pair first, and the shear rate uses the updated factor.
InstrumentReading readingFromFrame(const kx720::FrameFields &fields, RotorBobPair &pair);

// Apparent viscosity for display, cP.
double apparentViscosity(const InstrumentReading &reading);
