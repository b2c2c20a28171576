#pragma once

#include <QDateTime>
#include <QString>

// One run as the journal keeps it.
struct JournalRun
{
    qint64 number = 0;
    QDateTime started;
    QString calculation; // the statements, or "File:" and the syntax file
    QString scope;
    QString host; // the host database the run wrote to
    qint16 viewType = 1;
    qint64 records = 0;
    qint64 fields = 0;
    qint64 confirmed = 0; // writes up to this one reached the host; later ones may not have
    bool finished = false;
    qint64 process = 0;
};

// One field written by a run.
struct JournalWrite
{
    qint64 id = 0;
    QString record; // the record's key (field 1) when it was written
    qint32 field = 0;
    QString before;
    QString written;
};
