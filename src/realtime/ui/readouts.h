#pragma once
#include <QString>

struct InstrumentReading;

// The texts of a unit's live read-outs for one accepted reading.
struct ReadoutTexts
{
    QString speed;          // rpm
    QString shearRate;      // 1/s
    QString shearStress;    // dyn/cm²
    QString viscosity;      // cP
    QString pH;
    QString sampleTemp;     // °F
    QString tempSetPoint;   // °F

    // A rotor standing still shows "0.0" for speed, shear rate and viscosity.
    static ReadoutTexts fromReading(const InstrumentReading &reading, double setPointF);
    // After a test ends: "0.0" for the rotor values, "N/A" for the
    // temperatures; pH keeps what it showed (empty here).
    static ReadoutTexts idle();
};
