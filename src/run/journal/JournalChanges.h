#pragma once

#include "JournalEntries.h"

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

// The writes of one record as the journal stores them in one row: per field its ID,
// then the value before and the value written, each as a length and UTF-8, numbers as
// variable-length integers. A row per record rather than per field keeps a run's
// journal small and quick to write.
class JournalChanges
{
public:
    static QByteArray encode(const JournalWrite *first, int count);
    // How many fields the writes changed: two statements with one target count once.
    static int distinctFields(const JournalWrite *first, int count);
    // Appends the writes found to writes, each with this ID and record.
    static void decode(qint64 id, const QString &record, QByteArrayView changes,
        std::vector<JournalWrite> &writes);
};
