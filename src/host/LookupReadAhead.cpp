#include "LookupReadAhead.h"

#include <algorithm>

const HostStore::LookupEntry *LookupReadAhead::entryAfter(
    RecordKind kind, qint64 position, bool &answered) const
{
    answered = false;
    if (!m_filled || kind != m_kind || position < m_after)
        return nullptr;
    const auto next = std::upper_bound(m_entries.cbegin(), m_entries.cend(), position,
        [](qint64 p, const HostStore::LookupEntry &entry) { return p < entry.position; });
    if (next != m_entries.cend()) {
        answered = true;
        return &*next;
    }
    // A short block reached the end of the lookup: there is nothing after it.
    answered = m_entries.size() < BlockSize;
    return nullptr;
}

void LookupReadAhead::fill(RecordKind kind, qint64 after, QList<HostStore::LookupEntry> entries)
{
    m_filled = true;
    m_kind = kind;
    m_after = after;
    m_entries = std::move(entries);
}

void LookupReadAhead::clear()
{
    m_filled = false;
    m_entries.clear();
}
