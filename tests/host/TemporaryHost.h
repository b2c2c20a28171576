#pragma once

#include "HostStore.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <utility>

// The number and description of the OrvantaError that the call throws; {0, ""} if none.
std::pair<int, QString> thrownError(const std::function<void()> &call);

// A host database in a private temporary folder, and a way to run orvanta-host on it.
class TemporaryHost
{
public:
    struct CliResult
    {
        int exitCode = -1;
        QString out;
        QString err;
    };

    QString path() const { return m_folder.filePath(QStringLiteral("host.db")); }
    QString filePath(const QString &name) const { return m_folder.filePath(name); }
    static void writeFile(const QString &path, const QByteArray &content);

    void createDemo() const;
    // A database with these contact keys in this lookup order, each with field 3 = its
    // number (1, 2, ...) and field 4 = ten times it.
    void createContacts(int count) const;

    // Runs the orvanta-host beside the test binary with --db path() first.
    CliResult cli(const QStringList &arguments) const;
    static QString cliProgram();
    // Expects the command to succeed with this output.
    void expectOut(const QStringList &arguments, const QString &out) const;
    // Expects status 2, no output and this message as the one line on stderr.
    void expectRefused(const QStringList &arguments, const QString &message) const;

private:
    QTemporaryDir m_folder;
};
