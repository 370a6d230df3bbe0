#include "readouts.h"
#include "realtime/instrumentreading.h"
#include "rheology/numberformat.h"
#include "sequences/leadingnumber.h"
#include <cmath>

ReadoutTexts ReadoutTexts::fromReading(const InstrumentReading &r, double setPointF)
{
    ReadoutTexts t;
    t.shearStress = formatNumber(r.shearStress, QStringLiteral("####.#"));
    t.sampleTemp = formatNumber(r.sampleTemperature, QStringLiteral("###.#"));
    t.tempSetPoint = formatNumber(setPointF, QStringLiteral("###.#"));
    t.speed = formatNumber(r.motorSpeed, QStringLiteral("###.##"));
    t.shearRate = formatNumber(r.shearRate, QStringLiteral("###.##"));
    t.viscosity = formatNumber(apparentViscosity(r), QStringLiteral("####.#"));
    t.pH = formatNumber(r.pH, QStringLiteral("##.#"));
    // Judged on the speed as shown: anything that rounds below 0.01 rpm.
    if (std::abs(leadingNumber(t.speed)) < 0.01) {
        t.speed = QStringLiteral("0.0");
        t.shearRate = QStringLiteral("0.0");
        t.viscosity = QStringLiteral("0.0");
    }
    return t;
}

ReadoutTexts ReadoutTexts::idle()
{
    ReadoutTexts t;
    t.speed = t.shearRate = t.shearStress = t.viscosity = QStringLiteral("0.0");
    t.sampleTemp = t.tempSetPoint = QStringLiteral("N/A");
    return t;
}
