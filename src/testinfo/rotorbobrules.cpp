#include "rotorbobrules.h"
#include <array>

namespace RotorBobRules {

QString key(const QString &rotorNo, const QString &bobNo)
{
    return (rotorNo.left(2) + bobNo.left(2)).toUpper();
}

std::optional<Combination> combinationForKey(const QString &key)
{
    struct Entry { const char *key; int combination; double divisor; };
    // Combinations 3 and 4 share their factor.
    static constexpr std::array<Entry, 6> table{{
        {"R1B1", 1, 1.0},
        {"R2B1", 2, 3.185},
        {"R3B1", 3, 0.22146},
        {"R1B2", 4, 0.22146},
        {"R1B5", 5, 0.4995},
        {"R1B4", 6, 0.15743},
    }};
    for (const Entry &entry : table) {
        if (key == QLatin1String(entry.key))
            return Combination{entry.combination, entry.divisor == 1.0 ? BaseFactor : BaseFactor / entry.divisor};
    }
    return std::nullopt;
}

std::optional<BobGeometry> bobGeometry(const QString &bobNo)
{
    struct Entry { const char *bob; const char *radius; const char *length; };
    static constexpr std::array<Entry, 5> table{{
        {"B1", "1.7245", "7.620"},
        {"B2", "1.2276", "7.620"},
        {"B3", "0.8622", "7.620"},
        {"B4", "0.8622", "3.810"},
        {"B5", "1.5987", "7.620"},
    }};
    for (const Entry &entry : table) {
        if (bobNo == QLatin1String(entry.bob))
            return BobGeometry{QString::fromLatin1(entry.radius), QString::fromLatin1(entry.length)};
    }
    return std::nullopt;
}

int bobIndex(const QString &bobNo, int current)
{
    static const std::array<QString, 5> bobs{
        QStringLiteral("B1"), QStringLiteral("B2"), QStringLiteral("B3"), QStringLiteral("B4"), QStringLiteral("B5")};
    for (int i = 0; i < int(bobs.size()); ++i) {
        if (bobNo == bobs[i])
            return i + 1;
    }
    return current;
}

} // namespace RotorBobRules
