#include "TemporaryHost.h"

#include "AppPath.h"
#include "DemoData.h"
#include "HostSchema.h"
#include "HostStateKeys.h"
#include "OrvantaError.h"
#include "SqliteConnection.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

std::pair<int, QString> thrownError(const std::function<void()> &call)
{
    try {
        call();
    } catch (const OrvantaError &error) {
        return {error.number(), error.description()};
    }
    return {0, QString()};
}

void TemporaryHost::createDemo() const
{
    HostSchema::createNew(path(), QStringLiteral("ACT! - Test"),
        [](HostStore &store) { DemoData::populate(store, QLocale(QLocale::English)); });
}

void TemporaryHost::createContacts(int count) const
{
    HostSchema::createNew(path(), QStringLiteral("ACT! - Test"), [count](HostStore &store) {
        for (int i = 1; i <= count; ++i) {
            const qint64 record = store.addRecord(RecordKind::Contact, QString());
            store.writeValue(record, 3, QString::number(i));
            store.writeValue(record, 4, QString::number(i * 10));
        }
        store.setLookupAll(RecordKind::Contact);
        store.setState(HostStateKeys::CurrentContact, QStringLiteral("C0001"));
    });
}

TemporaryHost::CliResult TemporaryHost::cli(const QStringList &arguments) const
{
    QProcess process;
    process.start(cliProgram(), QStringList {QStringLiteral("--db"), path()} + arguments);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

void TemporaryHost::expectOut(const QStringList &arguments, const QString &out) const
{
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const CliResult result = cli(arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, out);
}

void TemporaryHost::expectRefused(const QStringList &arguments, const QString &message) const
{
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const CliResult result = cli(arguments);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "orvanta-host: " + message + '\n');
    EXPECT_EQ(result.out, "");
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
