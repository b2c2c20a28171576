#include "TemporaryHost.h"

#include "AppPath.h"
#include "DemoData.h"
#include "HostSchema.h"
#include "HostStateKeys.h"
#include "SqliteConnection.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

TemporaryHost::TemporaryHost() = default;

void TemporaryHost::createDemo() const
{
    create([](HostStore &store) { DemoData::populate(store, QLocale(QLocale::English)); });
}

void TemporaryHost::createContacts(int count) const
{
    create([count](HostStore &store) {
        for (int i = 1; i <= count; ++i) {
            const qint64 record = store.addRecord(RecordKind::Contact, QString());
            store.writeValue(record, 3, QString::number(i));
            store.writeValue(record, 4, QString::number(i * 10));
        }
        store.setLookupAll(RecordKind::Contact);
        store.setState(HostStateKeys::CurrentContact, QStringLiteral("C0001"));
    });
}

void TemporaryHost::create(const std::function<void(HostStore &)> &fill) const
{
    HostSchema::createNew(path(), QStringLiteral("ACT! - Test"), fill);
}

TemporaryHost::CliResult TemporaryHost::cli(
    const QStringList &arguments, const QByteArray &input) const
{
    QProcess process;
    process.start(cliProgram(), QStringList {QStringLiteral("--db"), path()} + arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

QString TemporaryHost::cliProgram()
{
    // Both binaries land in the same bin folder of the build.
    return ExecutableDir() + QStringLiteral("/orvanta-host");
}

void TemporaryHost::writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}
