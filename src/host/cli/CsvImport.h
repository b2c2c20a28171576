#pragma once

#include "FieldDefinition.h"
#include "RecordKind.h"

#include <QList>
#include <QString>

class CsvReader;
class HostStore;
class SqliteConnection;

// Imports a CSV file of records, adding new ones and updating those whose key (field 1)
// it names. A file of any size is read a record at a time into temporary tables of the
// connection, checked and given their keys and row IDs there without the database's
// write lock, and then merged in one short transaction: other programs wait only for the
// writes, and either every record is imported or none.
class CsvImport
{
public:
    CsvImport(SqliteConnection &connection, HostStore &store, RecordKind kind);
    ~CsvImport();

    // The number of records imported; error 5 naming the file and line when refused.
    qint64 run(const QString &path);

private:
    QList<qint32> headerFields(CsvReader &reader);
    qint64 stage(CsvReader &reader, const QList<qint32> &columns);
    void stageRecord(int line, const QStringList &values, const QList<qint32> &columns);
    void refuseKeysOfOtherKinds();
    void assignNewKeys();
    void merge();
    qint64 highestRecordId();
    void addNewRecords();
    void writeValues();
    [[noreturn]] void refuse(const QString &what) const;

    SqliteConnection &m_connection;
    HostStore &m_store;
    RecordKind m_kind;
    QList<FieldDefinition> m_fields;
    QString m_path;
    qint64 m_rows = 0;
    qint64 m_keyless = 0;
    qint64 m_keyed = 0;
    qint64 m_newRecords = 0;
    qint64 m_firstKeyNumber = 0;
    qint64 m_highestRecordId = 0;
};
