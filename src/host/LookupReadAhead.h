#pragma once

#include "HostStore.h"
#include "RecordKind.h"

#include <QList>

// The next entries of a lookup with their records' values, read in one statement so
// that a walk pays for one statement per block of records instead of one per record.
// Valid only within the read transaction that filled it.
class LookupReadAhead
{
public:
    static constexpr int BlockSize = 64;

    // The entry after position, when the block read covers it; answered is false when
    // the block cannot tell and the store must be asked.
    const HostStore::LookupEntry *entryAfter(
        RecordKind kind, qint64 position, bool &answered) const;
    void fill(RecordKind kind, qint64 after, QList<HostStore::LookupEntry> entries);
    void clear();

private:
    bool m_filled = false;
    RecordKind m_kind = RecordKind::Contact;
    qint64 m_after = 0;
    QList<HostStore::LookupEntry> m_entries;
};
