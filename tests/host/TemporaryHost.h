#pragma once

#include "HostStore.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

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

    TemporaryHost();

    QString path() const { return m_folder.filePath(QStringLiteral("host.db")); }
    QString filePath(const QString &name) const { return m_folder.filePath(name); }
    static void writeFile(const QString &path, const QByteArray &content);

    void createDemo() const;
    // A database with these contact keys in this lookup order, each with field 3 = its
    // number (1, 2, ...) and field 4 = ten times it.
    void createContacts(int count) const;
    void create(const std::function<void(HostStore &)> &fill) const;

    // Runs the orvanta-host beside the test binary with --db path() first.
    CliResult cli(const QStringList &arguments, const QByteArray &input = {}) const;
    static QString cliProgram();

private:
    QTemporaryDir m_folder;
};
