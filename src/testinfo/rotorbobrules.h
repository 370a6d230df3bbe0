#pragma once
#include <QString>
#include <optional>

// Rotor/bob rules of the test information: which rotor and bob may be
// combined, the speed factor of each combination and the bob geometry.
namespace RotorBobRules {

inline constexpr double BaseFactor = 0.58744;   // rpm per 1/s of combination 1

// A rotor/bob combination as the instrument knows it (1 to 6) and its speed
// factor (rpm per 1/s). The unit that runs the test keeps its own pair.
struct Combination
{
    int combination = 1;
    double factor = BaseFactor;
    friend bool operator==(const Combination &, const Combination &) = default;
};

// "R1B4" from "r1 long" and "b4x": the first two characters of the rotor
// number and of the bob number, upper-cased. Nothing is trimmed, so a
// leading blank is part of the key.
QString key(const QString &rotorNo, const QString &bobNo);

// The combination of a key; nothing for a key outside the table (rotor 1
// with bob 3 included).
std::optional<Combination> combinationForKey(const QString &key);
inline std::optional<Combination> combinationFor(const QString &rotorNo, const QString &bobNo)
{
    return combinationForKey(key(rotorNo, bobNo));
}

// Radius and effective length texts (cm) of the bobs "B1" to "B5" (exact
// text, case-sensitive); nothing for any other bob number.
struct BobGeometry
{
    QString radius;
    QString length;
};
std::optional<BobGeometry> bobGeometry(const QString &bobNo);

// The bob index of a run: "B1" to "B5" give 1 to 5; any other text keeps
// the current index.
int bobIndex(const QString &bobNo, int current);

} // namespace RotorBobRules
