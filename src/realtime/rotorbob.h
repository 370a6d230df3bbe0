#pragma once
#include <optional>
#include <string_view>

// Rotor/bob combination of one unit: the number sent in its step commands and
// the speed factor (rpm per 1/s) that turns rotor speed into shear rate.
// Each unit keeps its own pair, set from its own test entry and its own frames.
struct RotorBobPair
{
    static constexpr double kBaseFactor = 0.58744;

    int combination = 1;
    double factor = kBaseFactor;

    // Factor of the known combinations 1..6; nullopt for any other number.
    static std::optional<double> factorFor(int combination);

    // A combination reported by the instrument: an unknown number is kept as
    // the combination (and sent back in the next command) but leaves the
    // factor as it was.
    void setCombination(int number);

    // Pair for a key such as "R1B4": the first two characters of the rotor
    // number and of the bob number, upper-cased. nullopt for an unknown key.
    static std::optional<RotorBobPair> fromKey(std::string_view key);

    friend bool operator==(const RotorBobPair &, const RotorBobPair &) = default;
};
