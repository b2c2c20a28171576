// Host record events: the time from another process's commit to the event, over 50
// changes of the current contact (target: under 300 ms), and the watcher's processor
// time while nothing changes (target: under 1% of a core).
// Usage: host_events_bench [CHANGES] [IDLE_SECONDS]
#include "HostEvents.h"
#include "HostSchema.h"
#include "HostStateKeys.h"
#include "HostStore.h"
#include "SqliteConnection.h"
#include "SqliteHostApplication.h"
#include "SqliteTransaction.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double monotonicMs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

double processCpuMs()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

class EventClock : public HostEvents
{
public:
    void OnContactChange(const QString &) override { }
    void OnGroupChange(const QString &) override { }
    void OnContactPosChange(const QString &) override { arrived = monotonicMs(); }
    void OnGroupPosChange(const QString &) override { }
    void OnContactLookupChange() override { }
    void OnHostGone() override { }

    double arrived = 0;
};

QString keyOf(int n)
{
    return QStringLiteral("C%1").arg(n, 4, 10, QLatin1Char('0'));
}

// Another process makes contact n current and reports when its commit returned.
double commitInChild(const QString &path, int n)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const auto connection = HostSchema::openExisting(path);
        SqliteTransaction transaction(*connection);
        HostStore(*connection).setState(HostStateKeys::CurrentContact, keyOf(n));
        transaction.commit();
        const double committed = monotonicMs();
        (void)!write(pipeEnds[1], &committed, sizeof committed);
        _exit(0);
    }
    close(pipeEnds[1]);
    double committed = -1;
    (void)!read(pipeEnds[0], &committed, sizeof committed);
    close(pipeEnds[0]);
    waitpid(child, nullptr, 0);
    return committed;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const int changes = argc > 1 ? std::atoi(argv[1]) : 50;
    const int idleSeconds = argc > 2 ? std::atoi(argv[2]) : 10;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("host.db"));
    HostSchema::createNew(path, QStringLiteral("ACT! - Bench"), [](HostStore &store) {
        for (int n = 1; n <= 100; ++n)
            store.addRecord(RecordKind::Contact, keyOf(n));
        store.setState(HostStateKeys::CurrentContact, keyOf(1));
    });
    const auto host = SqliteHostApplication::attach(path);
    EventClock clock;
    host->AdviseEvents(&clock);

    std::vector<double> latencies;
    for (int i = 0; i < changes; ++i) {
        clock.arrived = 0;
        const double committed = commitInChild(path, 2 + i % 99);
        const double deadline = monotonicMs() + 2000;
        while (clock.arrived == 0 && monotonicMs() < deadline)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        latencies.push_back(clock.arrived == 0 ? -1 : clock.arrived - committed);
    }
    const long missed = std::count(latencies.begin(), latencies.end(), -1.0);
    std::sort(latencies.begin(), latencies.end());
    std::printf("event latency over %d changes: median %.1f ms, worst %.1f ms, missed %ld\n",
        changes, latencies[latencies.size() / 2], latencies.back(), missed);

    const double cpuBefore = processCpuMs();
    QTimer::singleShot(idleSeconds * 1000, &application, &QCoreApplication::quit);
    application.exec();
    const double cpu = processCpuMs() - cpuBefore;
    std::printf("idle for %d s: %.1f ms of processor time (%.3f%% of a core)\n", idleSeconds, cpu,
        cpu / (idleSeconds * 10.0));
    return missed == 0 ? 0 : 1;
}
