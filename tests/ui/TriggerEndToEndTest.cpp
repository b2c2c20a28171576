#include "FrmSyntax.h"
#include "HostDatabaseProcess.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

// The full syntax the builder shows when it runs inside orvanta: orvanta is built into
// the folder of this test program, so only the file name differs.
QString fullSyntaxOfOrvanta(const QString &prompt)
{
    EXPECT_EQ(
        QFileInfo(QStringLiteral(ORVANTA_EXE)).absolutePath(), QApplication::applicationDirPath());
    FrmSyntax builder(prompt);
    QString full = builder.findChild<QLineEdit *>(QStringLiteral("txtPath2"))->text();
    EXPECT_TRUE(full.startsWith(FrmSyntax::programPath() + QLatin1Char(' ')));
    return QApplication::applicationDirPath() + QStringLiteral("/orvanta")
        + full.mid(FrmSyntax::programPath().size());
}

struct SetResult
{
    int exitCode = -1;
    QString err;
};

SetResult setField(const HostDatabaseProcess &host, const QString &field, const QString &value)
{
    QProcess process;
    process.start(QStringLiteral(ORVANTA_HOST_EXE),
        {QStringLiteral("--db"), host.path(), QStringLiteral("set"), field, value});
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

TEST(TriggerEndToEnd, TheBuildersFullSyntaxRunsAsAFieldTrigger)
{
    HostDatabaseProcess host;
    ASSERT_TRUE(host.host({QStringLiteral("init"), QStringLiteral("--demo")}));
    qputenv("ORVANTA_APP_DIR", host.folder().toUtf8());

    const QString calcFolder = host.folder() + QStringLiteral("/My Calcs");
    ASSERT_TRUE(QDir().mkpath(calcFolder));
    QFile file(calcFolder + QStringLiteral("/double it.ocs"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("' twice the revenue\r\n[25]=[3]*2\r\n");
    file.close();

    const struct
    {
        QString prompt;
        QString revenue;
        int field;
        QString expected;
    } rows[] = {
        {QStringLiteral("[25] = [3] * 2"), QStringLiteral("1234"), 25, QStringLiteral("2468")},
        {QStringLiteral("File:") + file.fileName(), QStringLiteral("50"), 25,
            QStringLiteral("100")},
        {QStringLiteral("[26] = If([3] > 100; \"Big\"; \"Small\")"), QStringLiteral("500"), 26,
            QStringLiteral("Big")},
        // Orvanta's own write of the field fires nothing: no loop.
        {QStringLiteral("[3] = [3] + 1"), QStringLiteral("7"), 3, QStringLiteral("8")},
    };
    for (const auto &row : rows) {
        const QString commandLine = fullSyntaxOfOrvanta(row.prompt);
        ASSERT_TRUE(host.host({QStringLiteral("trigger"), QStringLiteral("3"), commandLine}))
            << qPrintable(commandLine);
        const SetResult set = setField(host, QStringLiteral("3"), row.revenue);
        EXPECT_EQ(set.exitCode, 0) << qPrintable(set.err);
        EXPECT_EQ(host.field(QStringLiteral("C0001"), row.field), row.expected)
            << qPrintable(commandLine);
    }
    qunsetenv("ORVANTA_APP_DIR");
}
