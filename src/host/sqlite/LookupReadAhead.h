#pragma once

#include "HostStore.h"
#include "RecordKind.h"

// The next entries of a lookup with their records' values, read a block at a time so
// that a walk pays for two statements per block of records instead of one per record.
// Valid only within the read transaction that filled it.
class LookupReadAhead
{
public:
    static constexpr int BlockSize = 64;

    // The entry after position, when the block read covers it; answered is false when
    // the block cannot tell and the store must be asked.
    const HostStore::LookupEntry *entryAfter(
        RecordKind kind, qint64 position, bool &answered) const;
    // Whether the block read this field, and the field of one of its entries.
    bool holds(qint32 field) const { return m_block.holds(field); }
    QString value(const HostStore::LookupEntry &entry, qint32 field) const;
    void fill(RecordKind kind, qint64 after, HostStore::LookupBlock block);
    void clear();

private:
    bool m_filled = false;
    RecordKind m_kind = RecordKind::Contact;
    qint64 m_after = 0;
    HostStore::LookupBlock m_block;
};
