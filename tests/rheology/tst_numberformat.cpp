#include "rheology/numberformat.h"
#include <QtTest>
#include <limits>

class tst_NumberFormat : public QObject
{
    Q_OBJECT
private slots:
    void patterns_data();
    void patterns();
};

void tst_NumberFormat::patterns_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");

    // Fixed decimals, rounding to the last digit.
    QTest::newRow("unit K' in cgs") << 4.788 / 4.788 << "0.0000" << "1.0000";
    QTest::newRow("unit K' in ei") << 100 * 4.788 / 478.8 << "0000.0" << "0001.0";
    QTest::newRow("rounds up") << 0.123456 << "0.0000" << "0.1235";
    QTest::newRow("rounds down") << 0.123449 << "0.0000" << "0.1234";
    QTest::newRow("half rounds away") << 0.125 << "0.00" << "0.13";
    QTest::newRow("decimal half") << 1.005 << "0.00" << "1.01";
    QTest::newRow("carry into integer") << 9.99996 << "0.0000" << "10.0000";
    QTest::newRow("carry past padding") << 999.96 << "0000.0" << "1000.0";
    QTest::newRow("zero fixed") << 0.0 << "0.0000" << "0.0000";
    QTest::newRow("ph") << 7.04 << "#0.0" << "7.0";
    QTest::newRow("ph below one") << 0.46 << "#0.0" << "0.5";
    QTest::newRow("ph two digits") << 12.25 << "#0.0" << "12.3";

    // Integer digits beyond the pattern are never cut.
    QTest::newRow("wide integer") << 12345.678 << "0.0000" << "12345.6780";
    QTest::newRow("wide integer 000.") << 1234.4 << "000." << "1234.";
    QTest::newRow("viscosity above 999") << 1234.6 << "00." << "1235.";
    QTest::newRow("padded 000.") << 5.0 << "000." << "005.";
    QTest::newRow("padded 00") << 3.0 << "00" << "03";
    QTest::newRow("padded 00.00") << 2.5 << "00.00" << "02.50";
    QTest::newRow("empty concentration") << 0.0 << "00.00" << "00.00";
    QTest::newRow("temperature 000.0") << 77.0 << "000.0" << "077.0";

    // "#" shows a digit only when significant; a trailing point stays.
    QTest::newRow("minutes #.") << 90 / 60.0 << "#." << "2.";
    QTest::newRow("minutes #. zero") << 0.2 << "#." << ".";
    QTest::newRow("half #.##") << 0.5 << "#.##" << ".5";
    QTest::newRow("zero #.##") << 0.0 << "#.##" << ".";
    QTest::newRow("integer #.##") << 5.0 << "#.##" << "5.";
    QTest::newRow("trailing zeros dropped") << 2.10 << "#.##" << "2.1";
    QTest::newRow("#.### rate") << 170.0004 << "#.###" << "170.";
    QTest::newRow("#.### small") << 0.0126 << "#.###" << ".013";
    QTest::newRow("#.# rounds to zero") << 0.04 << "#.#" << ".";
    QTest::newRow("viscosity #") << 123.5 << "#" << "124";
    QTest::newRow("viscosity # below half") << 0.4 << "#" << "";
    QTest::newRow("temp ###") << 100.0 << "###" << "100";
    QTest::newRow("temp ### wide") << 1212.0 << "###" << "1212";
    QTest::newRow("si 212F") << (212 - 32) / 1.8 << "###" << "100";

    // Negative values keep their sign unless they round to zero.
    QTest::newRow("negative") << -0.5 << "0.0000" << "-0.5000";
    QTest::newRow("negative #") << -12.4 << "#" << "-12";
    QTest::newRow("negative rounds to zero") << -0.00001 << "0.0000" << "0.0000";
    QTest::newRow("negative below one #.##") << -0.25 << "#.##" << "-.25";

    // Magnitudes far from one.
    QTest::newRow("large") << 1.0e20 << "0.0" << "100000000000000000000.0";
    QTest::newRow("tiny") << 1.0e-20 << "0.0000" << "0.0000";
    QTest::newRow("tiny rounds up") << 0.00005 << "0.0000" << "0.0001";
    QTest::newRow("just below rounding") << 0.000049999 << "0.0000" << "0.0000";

    // Literal text around the placeholders, and no pattern at all.
    QTest::newRow("literal suffix") << 45.0 << "0 cP" << "45 cP";
    QTest::newRow("no pattern") << 3.0 << "" << "3";
    QTest::newRow("no pattern decimals") << 0.25 << "" << "0.25";

    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << "0.0000" << "NaN";
    QTest::newRow("inf") << std::numeric_limits<double>::infinity() << "#" << "Inf";
}

void tst_NumberFormat::patterns()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(formatNumber(value, pattern), expected);
}

QTEST_APPLESS_MAIN(tst_NumberFormat)
#include "tst_numberformat.moc"
