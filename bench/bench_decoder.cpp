// Throughput of the reading-frame decoder, against the 19200-baud line
// (about 1920 bytes/s). The stream is what a simulated instrument sends,
// with one malformed frame in twenty; it is fed in one-second reads of
// 1920 bytes like the unit's ticks, and also through the whole unit link
// (in-memory port, poll, scaling, reading signal).
//
//   bench_decoder [--megabytes N]
#include "realtime/clock.h"
#include "realtime/frameassembler.h"
#include "realtime/instrumentlink.h"
#include "realtime/instrumentreading.h"
#include "realtime/memorytransport.h"

#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <string>

namespace {

using Stopwatch = std::chrono::steady_clock;
constexpr double kLineBytesPerSecond = 19200.0 / 10.0;   // 8 data bits + start + stop
constexpr std::size_t kRead = 1920;

std::string makeStream(std::size_t bytes)
{
    std::string stream;
    stream.reserve(bytes + 64);
    for (int i = 0; stream.size() < bytes; ++i) {
        std::string frame = "1," + std::to_string(i % 59998 + 1) + "," + std::to_string(75 + i % 200) + ","
                            + std::to_string(100 + i % 900) + ",150," + std::to_string(10000 + i % 50000) + ",1,"
                            + std::to_string(60 + i % 20) + "\x1A";
        if (i % 20 == 19)
            frame.erase(frame.find(','), 1);   // a malformed frame now and then
        stream += frame;
    }
    return stream;
}

// Best of several runs, in seconds.
template<typename Work>
double bestOf(int runs, Work work)
{
    double best = 1e9;
    for (int r = 0; r < runs; ++r) {
        const auto start = Stopwatch::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Stopwatch::now() - start).count());
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::size_t megabytes = 64;
    const QStringList args = app.arguments();
    if (const qsizetype i = args.indexOf(QStringLiteral("--megabytes")); i >= 0 && i + 1 < args.size())
        megabytes = std::max(1, args[i + 1].toInt());
    const std::string stream = makeStream(megabytes << 20);
    QTextStream out(stdout);

    std::size_t frames = 0;
    double checksum = 0;
    const double decoder = bestOf(5, [&] {
        FrameAssembler assembler;
        RotorBobPair pair;
        frames = 0;
        for (std::size_t at = 0; at < stream.size(); at += kRead) {
            assembler.append(std::string_view(stream).substr(at, kRead));
            for (auto scan = assembler.next(); scan.verdict != kx720::FrameVerdict::NeedMore; scan = assembler.next()) {
                ++frames;
                if (scan.verdict == kx720::FrameVerdict::Valid)
                    checksum += readingFromFrame(scan.fields, pair).shearRate;
            }
        }
    });

    // The same bytes through a unit link, one poll per 1920-byte read.
    const QByteArray bytes = QByteArray::fromStdString(stream);
    int accepted = 0;
    const double link = bestOf(3, [&] {
        VirtualClock clock;
        auto pair = MemoryTransport::createPair();
        MemoryTransport *device = pair.device.get();
        InstrumentLink unit(clock);
        unit.attachTransport(std::move(pair.host));
        accepted = 0;
        for (qsizetype at = 0; at < bytes.size(); at += qsizetype(kRead)) {
            device->write(bytes.mid(at, qsizetype(kRead)));
            accepted += unit.PollReadings().accepted;
        }
    });

    const double mb = double(stream.size()) / 1e6;
    out << "Stream: " << QString::number(mb, 'f', 1) << " MB, " << frames << " frames, read in " << kRead
        << "-byte pieces (checksum " << QString::number(checksum, 'g', 6) << ")\n";
    const auto line = [&](const char *what, double seconds) {
        const double rate = mb / seconds;
        out << what << QString::number(rate, 'f', 0) << " MB/s = "
            << QString::number(rate * 1e6 / kLineBytesPerSecond, 'g', 3) << " x the 19200-baud line ("
            << QString::number(seconds * 1e9 / double(frames), 'f', 1) << " ns per frame)\n";
    };
    line("Frame decoder (assembler, checks, scaling): ", decoder);
    line("Unit link (port, poll, scaling, signal):     ", link);
    out << "Accepted by the link: " << accepted << "\n";
    return 0;
}
