#pragma once
#include <QString>
#include <array>

// The station settings file "initial.txt": the serial port number of units 1
// to 8 (0 = none, 1..12 = port n) and the display unit system.
struct StationSettings
{
    std::array<int, 8> ports{};     // index 0 = unit 1
    int unitSystem = 1;

    static QString fileName() { return QStringLiteral("initial.txt"); }

    struct ReadResult {
        bool ok = false;            // false: file missing or short
        QString message;            // what went wrong, for the user
    };
    // Reads whitespace-separated integers. A missing or short file leaves
    // ports 0 and unit system 1, reports it, and never touches the file.
    static ReadResult read(const QString &path, StationSettings &out);
    // Writes nine lines: a blank before non-negative numbers, CR LF endings.
    bool write(const QString &path, QString *error = nullptr) const;
    static QByteArray format(const StationSettings &settings);

    int port(int unit) const { return ports.at(unit - 1); }
};
