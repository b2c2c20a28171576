#pragma once

#include "ProgramStart.h"
#include "RecordKind.h"
#include "SqliteTransaction.h"

#include <QStringList>
#include <QTextStream>
#include <memory>
#include <optional>

class HostStore;
class SqliteConnection;

// The command line of the stand-in host (orvanta-host): every command runs in one
// transaction, so a command that fails changes nothing; commands that only read take
// no lock. Failures print one line
// "orvanta-host: ..." on the error stream and give exit status 2.
class HostCli
{
public:
    static const char *const Usage;

    HostCli(QTextStream &out, QTextStream &err);

    // The arguments after the program name; returns the exit status.
    int run(const QStringList &arguments);

private:
    void parse(const QStringList &arguments);
    QString takeOptionValue(const QStringList &arguments, qsizetype &i);
    void execute();
    void init();
    std::unique_ptr<SqliteConnection> openDatabase() const;
    void runInTransaction(void (HostCli::*command)(HostStore &), SqliteTransaction::Lock lock);

    void fields(HostStore &store);
    void list(HostStore &store);
    void add(HostStore &store);
    void get(HostStore &store);
    void set(HostStore &store);
    void goTo(HostStore &store);
    void current(HostStore &store);
    void lookup(HostStore &store);
    void view(HostStore &store);
    void title(HostStore &store);
    void log(HostStore &store);
    void importCsv();
    void exportCsv(HostStore &store);
    void trigger(HostStore &store);
    void aux(HostStore &store);
    void launch(HostStore &store);
    void writeCsv(HostStore &store, QTextStream &stream) const;

    void requireArguments(qsizetype minimum, qsizetype maximum) const;
    qint32 fieldId(HostStore &store, const QString &text) const;
    qint64 targetRecord(HostStore &store);
    qint64 recordOf(HostStore &store, const QString &key) const;
    std::optional<qint64> currentRecord(HostStore &store) const;
    QString valueOf(HostStore &store, qint64 record, qint32 field) const;
    void assign(HostStore &store, qint64 record, qint32 field, const QString &value) const;

    QTextStream &m_out;
    QTextStream &m_err;
    QString m_databasePath;
    QString m_command;
    QStringList m_arguments;
    RecordKind m_kind = RecordKind::Contact;
    std::optional<QString> m_recordKey;
    bool m_demo = false;
    bool m_force = false;
    bool m_help = false;
    bool m_version = false;
    // A trigger or launch command to run once the command's transaction is committed.
    std::optional<ProgramStart> m_afterCommit;
};
