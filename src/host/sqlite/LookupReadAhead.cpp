#include "LookupReadAhead.h"

#include <algorithm>

const HostStore::LookupEntry *LookupReadAhead::entryAfter(
    RecordKind kind, qint64 position, bool &answered) const
{
    answered = false;
    if (!m_filled || kind != m_kind || position < m_after)
        return nullptr;
    const QList<HostStore::LookupEntry> &entries = m_block.entries;
    const auto next = std::upper_bound(entries.cbegin(), entries.cend(), position,
        [](qint64 p, const HostStore::LookupEntry &entry) { return p < entry.position; });
    if (next != entries.cend()) {
        answered = true;
        return &*next;
    }
    // A short block reached the end of the lookup: there is nothing after it.
    answered = entries.size() < BlockSize;
    return nullptr;
}

QString LookupReadAhead::value(const HostStore::LookupEntry &entry, qint32 field) const
{
    return m_block.values.value(entry.firstValue, entry.endValue, field);
}

void LookupReadAhead::fill(RecordKind kind, qint64 after, HostStore::LookupBlock block)
{
    m_filled = true;
    m_kind = kind;
    m_after = after;
    m_block = std::move(block);
}

void LookupReadAhead::clear()
{
    m_filled = false;
    m_block = {};
}
