// Replays the fuzzers' seed corpus through the same property checks, so
// every build checks them without clang.
#include "../../fuzz/fuzz_checks.h"

#include <QDir>
#include <QTest>

class TestFuzzCorpus : public QObject
{
    Q_OBJECT

    static QString corpus(const QString &target)
    {
        return QStringLiteral(QT_TESTCASE_SOURCEDIR "/../fuzz/corpus/") + target;
    }

    template<typename Check>
    void replay(const QString &target, Check check)
    {
        const QDir dir(corpus(target));
        const QStringList files = dir.entryList(QDir::Files, QDir::Name);
        QVERIFY2(!files.isEmpty(), qPrintable(QStringLiteral("no corpus in %1").arg(dir.path())));
        for (const QString &name : files) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            const std::string failure = check(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
            QVERIFY2(failure.empty(), qPrintable(name + QStringLiteral(": ") + QString::fromStdString(failure)));
        }
    }

private slots:
    void frameDecoder() { replay(QStringLiteral("frame_decoder"), &fuzzchecks::checkFrameDecoder); }
    void instrumentCommands() { replay(QStringLiteral("instrument_commands"), &fuzzchecks::checkCommandParser); }

};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
