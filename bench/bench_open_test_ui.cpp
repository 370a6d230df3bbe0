// Opening a saved test in the review panel against just reading its samples,
// for 10 000, 100 000 and 1 000 000 samples. Each measurement runs in a
// fresh child process so that its peak memory is its own.
//   bench_open_test_ui [samples...]            the table (default sizes)
//   bench_open_test_ui --child read|open DB    one measurement
//   bench_open_test_ui --make DB SAMPLES       only the database (for profiling)
#include "review/reviewsession.h"
#include "review/ui/chart2dview.h"
#include "review/ui/reviewpanel.h"
#include "store/clsConnection.h"
#include "store/clsTEST_INFO.h"
#include "store/clsTEST_RESULT.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QLineSeries>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <sys/resource.h>

namespace {

const QString kTestName = QStringLiteral("Bench run");

long peakKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A long test as a unit stores it: steps of ordinary samples, each closed
// by a 10-point shear ramp.
bool makeDatabase(const QString &file, int samples, QTextStream &err)
{
    clsConnection c(DatabaseConfig::sqlite(file));
    if (!c.OpenDB()) {
        err << c.LastError() << "\n";
        return false;
    }
    clsTEST_INFO info;
    info.ConnectX(&c);
    info.TEST_NAME = kTestName;
    info.BOB_RADIUS = 1.7245;
    info.AddNew();
    const int key = c.BeginTrans();
    clsTEST_RESULT r;
    r.Test_Id = info.Test_Id;
    r.ConnectX(&c);
    const int perStep = 990, rampPoints = 10;
    for (int i = 0; i < samples; ++i) {
        const int step = i / (perStep + rampPoints);
        const int within = i % (perStep + rampPoints);
        const bool ramp = within >= perStep;
        r.Test_Id = info.Test_Id;
        r.RAMP_NO = step + 1;
        r.RAMP_STEP_NO = ramp ? within - perStep + 1 : 0;
        r.RESULT_TYPE_ID = ramp ? 1 : 0;
        r.RESULT_TIME = 10.0 * i;
        r.RESULT_SAMPLE_TEMP = 80 + 120 * std::sin(i * 1e-5) * std::sin(i * 1e-5) + 0.3 * std::sin(i * 0.7);
        r.RESULT_SHEAR_RATE = ramp ? 300 - 25 * (within - perStep) : 100 + 0.1 * (i % 13);
        r.RESULT_SHEAR_STRESS = ramp ? 4.788 * std::pow(r.RESULT_SHEAR_RATE, 0.55)
                                     : 40 + 10 * std::sin(i * 3e-5) + (i % 4999 == 0 ? 60 : 0);
        r.RESULT_BATH_TEMP = 7 + 0.5 * std::sin(i * 2e-5);
        r.AddNew();
    }
    c.CommitTrans(key);
    return true;
}

int child(const QString &what, const QString &file)
{
    QTextStream out(stdout);
    clsConnection c(DatabaseConfig::sqlite(file));
    if (!c.OpenDB())
        return 2;
    if (what == QLatin1String("read")) {
        clsTEST_INFO info;
        info.ConnectX(&c);
        info.TEST_NAME = kTestName;
        info.GetTestDetail();
        QElapsedTimer t;
        t.start();
        const auto rows = clsTEST_RESULT::readSamples(&c, info.Test_Id);
        const double ms = t.nsecsElapsed() / 1e6;
        out << "ms=" << ms << " peak_kb=" << peakKb() << " samples=" << rows.size() << "\n";
        return 0;
    }
    // The bare read first, in the same process and on the same connection,
    // so that both figures see the same machine load and file cache.
    double bareRead = 0;
    {
        clsTEST_INFO info;
        info.ConnectX(&c);
        info.TEST_NAME = kTestName;
        info.GetTestDetail();
        QElapsedTimer t;
        t.start();
        const auto rows = clsTEST_RESULT::readSamples(&c, info.Test_Id);
        bareRead = t.nsecsElapsed() / 1e6;
    }
    review::ReviewPanel panel(&c);
    panel.resize(1280, 800);
    panel.show();
    panel.grab();
    QElapsedTimer t;
    t.start();
    if (!panel.openTestByName(kTestName).ok())
        return 3;
    const double opened = t.nsecsElapsed() / 1e6;
    panel.grab();                                   // the charts drawn on screen
    const double shown = t.nsecsElapsed() / 1e6;
    const qsizetype drawn = panel.chart2D()->lineSeries().first()->count();
    // Responsiveness afterwards: a repaint, another chart type, a log axis.
    t.restart();
    panel.grab();
    const double repaint = t.nsecsElapsed() / 1e6;
    t.restart();
    panel.selectChartType(3);
    panel.grab();
    const double typeSwitch = t.nsecsElapsed() / 1e6;
    t.restart();
    panel.setXScale(review::AxisScale::Log);
    panel.grab();
    const double logAxis = t.nsecsElapsed() / 1e6;
    out << "read_ms=" << bareRead << " ms=" << shown << " opened_ms=" << opened << " repaint_ms=" << repaint
        << " type_ms=" << typeSwitch << " log_ms=" << logAxis << " peak_kb=" << peakKb() << " drawn=" << drawn
        << "\n";
    return 0;
}

QMap<QString, double> runChild(const QString &what, const QString &file)
{
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), what, file});
    p.waitForFinished(-1);
    QMap<QString, double> values;
    for (const QString &field : QString::fromUtf8(p.readAllStandardOutput()).simplified().split(' ')) {
        const int eq = field.indexOf('=');
        if (eq > 0)
            values.insert(field.left(eq), field.mid(eq + 1).toDouble());
    }
    return values;
}

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--child"))
        return child(args[2], args[3]);
    if (args.size() == 4 && args[1] == QLatin1String("--make")) {
        QTextStream err(stderr);
        return makeDatabase(args[2], args[3].toInt(), err) ? 0 : 1;
    }

    QList<int> sizes;
    for (int i = 1; i < args.size(); ++i)
        sizes << args[i].toInt();
    if (sizes.isEmpty())
        sizes = {10000, 100000, 1000000};
    const int repeats = 3;

    QTextStream out(stdout);
    out << "Opening a saved test in the review panel (offscreen; SQLite; median of " << repeats << ")\n";
    out << "| samples | bare read | open, charts drawn | ratio | of which painting | repaint after | chart type 3 | log x axis "
           "| peak memory, bare read | peak memory, open | points drawn per line |\n";
    out << "|---|---|---|---|---|---|---|---|---|---|---|\n";
    out.flush();
    for (int n : sizes) {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("KX720pH.db"));
        if (!makeDatabase(file, n, out))
            return 1;
        QVector<double> read, open, paint, ratio, repaint, type, log, readKb, openKb, drawn;
        for (int i = 0; i < repeats; ++i) {
            const auto r = runChild(QStringLiteral("read"), file);
            const auto o = runChild(QStringLiteral("open"), file);
            if (!r.contains("ms") || !o.contains("ms")) {
                out << "measurement failed for " << n << " samples\n";
                return 1;
            }
            read << o["read_ms"];
            ratio << o["ms"] / o["read_ms"];
            readKb << r["peak_kb"];
            open << o["ms"];
            paint << o["ms"] - o["opened_ms"];
            repaint << o["repaint_ms"];
            type << o["type_ms"];
            log << o["log_ms"];
            openKb << o["peak_kb"];
            drawn << o["drawn"];
        }
        out << QStringLiteral("| %1 | %2 ms | %3 ms | %4 | %5 ms | %6 ms | %7 ms | %8 ms | %9 MB | %10 MB | %11 |\n")
                   .arg(n)
                   .arg(median(read), 0, 'f', 0)
                   .arg(median(open), 0, 'f', 0)
                   .arg(median(ratio), 0, 'f', 2)
                   .arg(median(paint), 0, 'f', 0)
                   .arg(median(repaint), 0, 'f', 0)
                   .arg(median(type), 0, 'f', 0)
                   .arg(median(log), 0, 'f', 0)
                   .arg(median(readKb) / 1024, 0, 'f', 0)
                   .arg(median(openKb) / 1024, 0, 'f', 0)
                   .arg(median(drawn), 0, 'f', 0);
        out.flush();
    }
    return 0;
}
