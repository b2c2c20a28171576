// The stand-in host under load: a run over a whole lookup through the host interface
// (per record two getField, one SetField, MoveNext) beside the same change made by one
// SQL UPDATE on the same database, and the peak memory of such a walk over 1,000,000
// contacts. Target: the walk within 3x of the UPDATE, the big walk under 100 MB.
#include "HostApplication.h"
#include "HostSchema.h"
#include "HostStore.h"
#include "HostView.h"
#include "HostViews.h"
#include "SqliteConnection.h"
#include "SqliteHostApplication.h"
#include "SqliteStatement.h"
#include "SqliteTransaction.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <map>
#include <sys/resource.h>

namespace {

const char *const WalkOnlyOption = "--walk-only";

// Contacts C0000001... with a company, a contact name, Revenue (3), Order Total (4) and
// User 1 (25), all in the contact lookup. Built with set-based SQL to keep set-up short.
QString databaseWith(qint64 contacts)
{
    static QTemporaryDir folder;
    static std::map<qint64, QString> built;
    auto &path = built[contacts];
    if (!path.isEmpty())
        return path;
    path = folder.filePath(QStringLiteral("host%1.db").arg(contacts));
    HostSchema::createNew(path, QStringLiteral("ACT! - Bench"), [&](HostStore &store) {
        const QByteArray sql = QStringLiteral(R"(
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)
INSERT INTO records(id, kind, key) SELECT i, 0, printf('C%07d', i) FROM n;
INSERT INTO field_values(record, field, value)
    SELECT id, f.field, CASE f.field
        WHEN 2 THEN 'Company ' || (id % 997)
        WHEN 3 THEN CAST(id % 9000 + 100 AS TEXT)
        WHEN 4 THEN printf('%.2f', (id % 40000) / 100.0)
        WHEN 5 THEN 'Contact ' || id
        ELSE '0' END
    FROM records, (SELECT 2 AS field UNION ALL SELECT 3 UNION ALL SELECT 4
                   UNION ALL SELECT 5 UNION ALL SELECT 25) f
    ORDER BY id, f.field;
INSERT INTO lookup(kind, position, record) SELECT 0, id - 1, id FROM records;
INSERT INTO state(key, value) VALUES('current_contact', 'C0000001');
)")
                                   .arg(contacts)
                                   .toUtf8();
        store.connection().execScript(sql.constData());
    });
    return path;
}

// Plain decimal conversions: the walk times the host, not Qt's locale-aware parsing.
double numberOf(const QString &text)
{
    const QByteArray latin1 = text.toLatin1();
    double number = 0;
    std::from_chars(latin1.cbegin(), latin1.cend(), number);
    return number;
}

QString textOf(double number)
{
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    return QString::fromLatin1(digits, end - digits);
}

// The run's loop: [25]=[3]*2 and a read of [4] on every record of the lookup.
void walk(const QString &path)
{
    auto app = SqliteHostApplication::attach(path);
    auto view = app->Views().Create(1, QStringLiteral("CV"));
    const qint32 count = view->GetCount();
    view->MoveFirst();
    for (qint32 i = 0; i < count; ++i) {
        const double revenue = numberOf(view->getField(3));
        benchmark::DoNotOptimize(view->getField(4));
        view->SetField(25, textOf(revenue * 2));
        view->MoveNext();
    }
}

void update(const QString &path)
{
    SqliteConnection connection(path, SqliteConnection::OpenMode::ExistingOnly);
    connection.useWriteAheadLog();
    SqliteTransaction transaction(connection);
    connection
        .statement(
            "UPDATE field_values SET value = (SELECT CAST(v.value * 2 AS TEXT) FROM field_values v "
            "WHERE v.record = field_values.record AND v.field = 3) WHERE field = 25")
        .exec();
    transaction.commit();
}

double millisecondsOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

void BM_WalkVersusUpdate(benchmark::State &state)
{
    const QString path = databaseWith(state.range(0));
    double walkMs = 0;
    double updateMs = 0;
    for (auto _ : state) {
        const double w = millisecondsOf([&] { walk(path); });
        updateMs += millisecondsOf([&] { update(path); });
        walkMs += w;
        state.SetIterationTime(w / 1000.0);
    }
    const double n = double(state.iterations());
    state.counters["walk_ms"] = walkMs / n;
    state.counters["update_ms"] = updateMs / n;
    state.counters["ratio"] = walkMs / updateMs;
}
BENCHMARK(BM_WalkVersusUpdate)
    ->Arg(100000)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The walk runs in a fresh process so that its peak resident size is its own.
void BM_WalkPeakMemory(benchmark::State &state)
{
    const QString path = databaseWith(state.range(0));
    double peakMb = 0;
    for (auto _ : state) {
        QProcess child;
        child.start(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget(),
            {QString::fromLatin1(WalkOnlyOption), path});
        child.waitForFinished(-1);
        peakMb = child.readAllStandardOutput().trimmed().toDouble() / 1024.0;
        if (child.exitCode() != 0 || peakMb <= 0)
            state.SkipWithError("the walk process failed");
    }
    state.counters["peak_rss_mb"] = peakMb;
}
BENCHMARK(BM_WalkPeakMemory)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], WalkOnlyOption) == 0) {
        walk(QString::fromLocal8Bit(argv[2]));
        rusage usage {};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%ld\n", usage.ru_maxrss);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
