#include "rotorbob.h"

#include <array>

std::optional<double> RotorBobPair::factorFor(int combination)
{
    switch (combination) {
    case 1: return kBaseFactor;
    case 2: return kBaseFactor / 3.185;
    case 3: return kBaseFactor / 0.22146;
    case 4: return kBaseFactor / 0.22146;
    case 5: return kBaseFactor / 0.4995;
    case 6: return kBaseFactor / 0.15743;
    default: return std::nullopt;
    }
}

void RotorBobPair::setCombination(int number)
{
    combination = number;
    if (const auto known = factorFor(number))
        factor = *known;
}

std::optional<RotorBobPair> RotorBobPair::fromKey(std::string_view key)
{
    struct Entry { std::string_view key; int combination; };
    static constexpr std::array<Entry, 6> table{{
        {"R1B1", 1}, {"R2B1", 2}, {"R3B1", 3}, {"R1B2", 4}, {"R1B5", 5}, {"R1B4", 6},
    }};
    for (const Entry &entry : table) {
        if (entry.key == key)
            return RotorBobPair{entry.combination, *factorFor(entry.combination)};
    }
    return std::nullopt;
}
