#pragma once

// Starts the real orvanta against real host databases made with orvanta-host, with the
// console dialogs, a private settings folder and a private program folder.
#include "AppPath.h"
#include "JournalEntries.h"
#include "RunJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

struct Result
{
    int exitCode = -1;
    QString out;
    QString err;
};

class EndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        host({"init", "--demo"});
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        QMap<QString, QString> values {{"ORVANTA_HOST", dbPath()},
            {"XDG_CONFIG_HOME", m_dir.filePath("config")},
            {"XDG_DATA_HOME", m_dir.filePath("data")}, {"ORVANTA_APP_DIR", appDir()},
            {"ORVANTA_UI", "console"}, {"LANG", m_lang}, {"LC_ALL", m_lang}};
        values.insert(m_extraEnvironment);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            env.insert(it.key(), it.value());
        return env;
    }

    // Started and given its input, not waited for.
    std::unique_ptr<QProcess> launch(const QString &program, const QStringList &arguments,
        const QByteArray &input = QByteArray()) const
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment());
        process->start(ExecutableDir() + "/" + program, arguments);
        process->write(input);
        process->closeWriteChannel();
        return process;
    }
    static Result finish(QProcess &process)
    {
        EXPECT_TRUE(process.waitForFinished(60000)) << process.program().toStdString();
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
    }
    Result start(const QString &program, const QStringList &arguments,
        const QByteArray &input = QByteArray()) const
    {
        return finish(*launch(program, arguments, input));
    }

    QString host(const QStringList &arguments) const
    {
        const Result r = start("orvanta-host", arguments);
        EXPECT_EQ(r.exitCode, 0) << arguments.join(' ').toStdString() << ": "
                                 << r.err.toStdString();
        return r.out;
    }
    Result orvanta(const QStringList &arguments, const QByteArray &input = QByteArray()) const
    {
        return start("orvanta", arguments, input);
    }
    QString field(int id, const QString &key = QString()) const
    {
        const QStringList record = key.isEmpty() ? QStringList() : QStringList {"--record", key};
        return host(QStringList {"get", QString::number(id)} + record).chopped(1);
    }
    QStringList lookupKeys() const
    {
        QStringList keys;
        for (const QString &line : host({"list"}).split('\n', Qt::SkipEmptyParts))
            keys << line.section('\t', 0, 0);
        return keys;
    }
    void writeFile(const QString &path, const QByteArray &content) const
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    void writeAppFile(const QString &name, const QByteArray &content) const
    {
        writeFile(appDir() + "/" + name, content);
    }

    // A host of count numbered contacts with fields 3 and 4 set, all in the lookup.
    void importContacts(int count)
    {
        QByteArray csv = "2,3,4\n";
        for (int i = 1; i <= count; ++i)
            csv += "Company " + QByteArray::number(i) + "," + QByteArray::number(i * 7 % 900) + ","
                + QByteArray::number(i % 250) + "\n";
        writeAppFile("contacts.csv", csv);
        host({"init", "--force"});
        host({"import", appDir() + "/contacts.csv"});
        host({"lookup", "all"});
    }

    QString journalPath() const { return m_dir.filePath("data/orvanta/journal.db"); }
    RunJournal journal() const { return RunJournal(journalPath(), RunJournal::Mode::ExistingOnly); }

    QString dbPath() const { return m_dir.filePath("host.db"); }
    QString appDir() const { return m_dir.path(); }

    QTemporaryDir m_dir;
    QString m_lang = "en_US.UTF-8";
    QMap<QString, QString> m_extraEnvironment;
};
