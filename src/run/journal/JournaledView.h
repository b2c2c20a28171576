#pragma once

#include "HostView.h"

#include <memory>
#include <optional>

class JournalRecorder;

// The calculation view of a journaled run: each field write is handed to the journal,
// with the record's key and the value it replaces, before it goes to the host.
class JournaledView : public HostView
{
public:
    JournaledView(std::shared_ptr<HostView> view, JournalRecorder &recorder);

    qint16 Type() override;
    QString getField(qint32 fieldId) override;
    QString getField(const QString &fieldId) override;
    void SetField(qint32 fieldId, const QString &value) override;
    qint32 GetCount() override;
    void MoveFirst() override;
    void MoveNext() override;
    void GoTo(const QString &key) override;

private:
    QString currentKey();

    std::shared_ptr<HostView> m_view;
    JournalRecorder &m_recorder;
    // The current record's key, read once per record.
    std::optional<QString> m_key;
};
