#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

// A stand-in host database made and read with the orvanta-host program, as a user would.
class HostDatabaseProcess
{
public:
    QString path() const { return m_dir.filePath(QStringLiteral("host.db")); }
    QString folder() const { return m_dir.path(); }

    // Runs orvanta-host on this database; the output without its line end, or nothing
    // when the command failed.
    std::optional<QString> host(const QStringList &arguments) const
    {
        QProcess process;
        process.start(QStringLiteral(ORVANTA_HOST_EXE),
            QStringList {QStringLiteral("--db"), path()} + arguments);
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0)
            return std::nullopt;
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }
    QString field(const QString &key, int id) const
    {
        return host({QStringLiteral("get"), QString::number(id), QStringLiteral("--record"), key})
            .value_or(QStringLiteral("<no answer>"));
    }
    QString commandLog() const { return host({QStringLiteral("log")}).value_or(QString()); }

    // orvanta itself with this database as its host and a private program folder.
    QProcessEnvironment orvantaEnvironment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ORVANTA_HOST"), path());
        environment.insert(QStringLiteral("ORVANTA_APP_DIR"), folder());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), folder());
        return environment;
    }

private:
    QTemporaryDir m_dir;
};
