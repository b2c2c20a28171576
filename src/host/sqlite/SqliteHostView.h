#pragma once

#include "HostStore.h"
#include "HostView.h"
#include "RecordKind.h"

#include <memory>
#include <optional>

class HostSession;

// A view of the stand-in host. HostViewType::Groups is a view on groups, every other on
// contacts. It starts on the database's current record of its kind and walks the
// current lookup of that kind; its moves become the database's current record.
class SqliteHostView : public HostView
{
public:
    SqliteHostView(std::weak_ptr<HostSession> session, qint16 type);

    qint16 Type() override;
    QString getField(qint32 fieldId) override;
    QString getField(const QString &fieldId) override;
    void SetField(qint32 fieldId, const QString &value) override;
    qint32 GetCount() override;
    void MoveFirst() override;
    void MoveNext() override;
    void GoTo(const QString &key) override;

private:
    std::shared_ptr<HostSession> session() const;
    qint64 currentRecord() const;
    void checkField(const HostSession &session, qint32 fieldId) const;
    void moveToLookupEntryAfter(HostSession &session, qint64 position);
    void moveTo(HostSession &session, const HostStore::LookupEntry &entry);

    std::weak_ptr<HostSession> m_session;
    qint16 m_type;
    RecordKind m_kind;
    std::optional<qint64> m_record;
    // The current record's position in the lookup, found when MoveNext needs it.
    std::optional<qint64> m_position;
};
