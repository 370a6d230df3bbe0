#include "realtime/frameassembler.h"
#include "realtime/frameprotocol.h"
#include "realtime/instrumentreading.h"

#include <QTest>

using kx720::FrameVerdict;
Q_DECLARE_METATYPE(kx720::FrameVerdict)

class TestFrameDecoding : public QObject
{
    Q_OBJECT

private slots:
    void verdicts_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<FrameVerdict>("verdict");
        const auto row = [](const char *name, const QByteArray &frame, FrameVerdict verdict) {
            QTest::newRow(name) << frame << verdict;
        };
        row("plain", "1,2,300,150,0,10000,1,70\x1A", FrameVerdict::Valid);
        row("without SUB", "1,2,300,150,0,10000,1,70", FrameVerdict::Valid);
        row("leading zeros", "0001,02,075,0,0,0,1,070\x1A", FrameVerdict::Valid);
        row("empty unused fields are 0", "1,2,75,0,,,,\x1A", FrameVerdict::Valid);
        row("CR LF after the last field", "1,2,75,0,0,0,1,70\r\n\x1A", FrameVerdict::Valid);
        row("six commas", "1,2,300,150,0,10000,170\x1A", FrameVerdict::Malformed);
        row("eight commas", "1,2,300,150,0,10000,1,70,5\x1A", FrameVerdict::Malformed);
        row("no commas", "garbage\x1A", FrameVerdict::Malformed);
        row("empty frame", "\x1A", FrameVerdict::Malformed);
        row("minus sign", "1,2,-75,150,0,10000,1,70\x1A", FrameVerdict::Malformed);
        row("decimal point", "1,2,75.5,150,0,10000,1,70\x1A", FrameVerdict::Malformed);
        row("blank in a field", "1,2, 75,150,0,10000,1,70\x1A", FrameVerdict::Malformed);
        row("letter after the last field", "1,2,75,150,0,10000,1,7x\x1A", FrameVerdict::Malformed);
        row("line end before the frame", "\r\n1,2,75,150,0,10000,1,70\x1A", FrameVerdict::Malformed);
        row("noise byte before the frame", "\xff" "1,2,75,150,0,10000,1,70\x1A", FrameVerdict::Malformed);
        // The acceptance window, at its edges.
        row("field 1 is 0", "0,2,75,150,0,10000,1,70\x1A", FrameVerdict::OutOfRange);
        row("field 2 is 0", "1,0,75,150,0,10000,1,70\x1A", FrameVerdict::OutOfRange);
        row("field 2 is 59998", "1,59998,75,150,0,10000,1,70\x1A", FrameVerdict::Valid);
        row("field 2 is 59999", "1,59999,75,150,0,10000,1,70\x1A", FrameVerdict::OutOfRange);
        row("temperature 9", "1,2,9,150,0,10000,1,70\x1A", FrameVerdict::OutOfRange);
        row("temperature 10", "1,2,10,150,0,10000,1,70\x1A", FrameVerdict::Valid);
        row("stress 5000", "1,2,75,5000,0,10000,1,70\x1A", FrameVerdict::Valid);
        row("stress 5001", "1,2,75,5001,0,10000,1,70\x1A", FrameVerdict::OutOfRange);
        row("field too long for a number", "1,2,75,150,0,99999999999999999999,1,70\x1A", FrameVerdict::OutOfRange);
    }
    void verdicts()
    {
        QFETCH(QByteArray, frame);
        QFETCH(FrameVerdict, verdict);
        kx720::FrameFields fields;
        QCOMPARE(kx720::parseFrame(std::string_view(frame.constData(), std::size_t(frame.size())), fields),
                 verdict);
    }

    void scaling_data()
    {
        QTest::addColumn<int>("combination");
        QTest::addColumn<double>("factor");
        QTest::newRow("1") << 1 << 0.58744;
        QTest::newRow("2") << 2 << 0.58744 / 3.185;
        QTest::newRow("3") << 3 << 0.58744 / 0.22146;
        QTest::newRow("4") << 4 << 0.58744 / 0.22146;
        QTest::newRow("5") << 5 << 0.58744 / 0.4995;
        QTest::newRow("6") << 6 << 0.58744 / 0.15743;
    }
    void scaling()
    {
        QFETCH(int, combination);
        QFETCH(double, factor);
        kx720::FrameFields fields;
        const QByteArray frame = "3,4,212,345,9,12345," + QByteArray::number(combination) + ",68\x1A";
        QCOMPARE(kx720::parseFrame(frame.toStdString(), fields), FrameVerdict::Valid);
        RotorBobPair pair;
        const InstrumentReading reading = readingFromFrame(fields, pair);
        QCOMPARE(pair.combination, combination);
        QCOMPARE(pair.factor, factor);
        QCOMPARE(reading.sampleTemperature, 212.0);
        QCOMPARE(reading.shearStress, 345.0);
        QCOMPARE(reading.motorSpeed, 123.45);
        QCOMPARE(reading.shearRate, 123.45 / factor);
        QCOMPARE(reading.pH, 6.8);
        QCOMPARE(reading.pressure, 0.0);
    }

    void unknownCombinationKeepsTheFactor()
    {
        kx720::FrameFields fields;
        QCOMPARE(kx720::parseFrame("1,2,75,100,0,10000,9,70", fields), FrameVerdict::Valid);
        RotorBobPair pair{2, 0.58744 / 3.185};
        const InstrumentReading reading = readingFromFrame(fields, pair);
        QCOMPARE(pair.combination, 9);
        QCOMPARE(pair.factor, 0.58744 / 3.185);
        QCOMPARE(reading.shearRate, 100.0 / (0.58744 / 3.185));
    }

    void rotorBobKeys_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("combination");
        QTest::newRow("R1B1") << "R1B1" << 1;
        QTest::newRow("R2B1") << "R2B1" << 2;
        QTest::newRow("R3B1") << "R3B1" << 3;
        QTest::newRow("R1B2") << "R1B2" << 4;
        QTest::newRow("R1B5") << "R1B5" << 5;
        QTest::newRow("R1B4") << "R1B4" << 6;
        QTest::newRow("R1B3 refused") << "R1B3" << 0;
        QTest::newRow("lower case refused (callers upper-case)") << "r1b1" << 0;
    }
    void rotorBobKeys()
    {
        QFETCH(QString, key);
        QFETCH(int, combination);
        const auto pair = RotorBobPair::fromKey(key.toStdString());
        QCOMPARE(pair.has_value(), combination != 0);
        if (pair) {
            QCOMPARE(pair->combination, combination);
            QCOMPARE(pair->factor, *RotorBobPair::factorFor(combination));
        }
    }

    // The assembler must give the same frames whatever the read boundaries.
    void framesSplitAtEveryPosition()
    {
        const std::string stream = "1,2,70,10,0,100,1,70\x1A" "1,2,71,\x1A" "1,2,72,10,0,100,1,70\x1A";
        for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
            FrameAssembler assembler;
            std::vector<FrameVerdict> verdicts;
            std::vector<std::int64_t> temperatures;
            for (const std::string_view part : {std::string_view(stream).substr(0, cut),
                                                std::string_view(stream).substr(cut)}) {
                assembler.append(part);
                for (auto scan = assembler.next(); scan.verdict != FrameVerdict::NeedMore;
                     scan = assembler.next()) {
                    verdicts.push_back(scan.verdict);
                    temperatures.push_back(scan.fields.field(3));
                }
            }
            QCOMPARE(verdicts, (std::vector{FrameVerdict::Valid, FrameVerdict::Malformed, FrameVerdict::Valid}));
            QCOMPARE(temperatures.front(), 70);
            QCOMPARE(temperatures.back(), 72);
            QCOMPARE(assembler.size(), std::size_t(0));
        }
    }

    void partialFrameWaitsForItsEnd()
    {
        FrameAssembler assembler;
        assembler.append("1,2,70,10,");
        QVERIFY(!assembler.hasFrameEnd());
        QCOMPARE(assembler.next().verdict, FrameVerdict::NeedMore);
        assembler.append("0,100,1,70\x1A" "1,2");
        QVERIFY(assembler.hasFrameEnd());
        const auto scan = assembler.next();
        QCOMPARE(scan.verdict, FrameVerdict::Valid);
        QCOMPARE(scan.length, std::size_t(21));
        QCOMPARE(QByteArray(assembler.pending().data(), qsizetype(assembler.pending().size())), QByteArray("1,2"));
    }

    // Noise without any frame end must not grow the buffer without bound.
    void endlessNoiseIsDropped()
    {
        FrameAssembler assembler;
        const std::string noise(FrameAssembler::kMaxPartialFrame, '7');
        assembler.append(noise);
        QCOMPARE(assembler.next().verdict, FrameVerdict::NeedMore);
        assembler.append("7");
        const auto scan = assembler.next();
        QCOMPARE(scan.verdict, FrameVerdict::Overlong);
        QCOMPARE(scan.length, FrameAssembler::kMaxPartialFrame + 1);
        QCOMPARE(assembler.size(), std::size_t(0));
        assembler.append("1,2,70,10,0,100,1,70\x1A");
        QCOMPARE(assembler.next().verdict, FrameVerdict::Valid);
    }

    void viscosityForDisplay()
    {
        InstrumentReading reading;
        reading.shearStress = 170;
        reading.shearRate = 170;
        QCOMPARE(apparentViscosity(reading), 170.0 / (170.0 + 0.000001) * 100.0);
        reading.shearRate = 0;
        QVERIFY(std::isfinite(apparentViscosity(reading)));
    }
};

QTEST_GUILESS_MAIN(TestFrameDecoding)
#include "tst_framedecoding.moc"
