#include "JournaledView.h"

#include "HostNumbers.h"
#include "JournalRecorder.h"

JournaledView::JournaledView(std::shared_ptr<HostView> view, JournalRecorder &recorder)
    : m_view(std::move(view))
    , m_recorder(recorder)
{
}

qint16 JournaledView::Type()
{
    return m_view->Type();
}

QString JournaledView::getField(qint32 fieldId)
{
    return m_view->getField(fieldId);
}

QString JournaledView::getField(const QString &fieldId)
{
    return m_view->getField(fieldId);
}

void JournaledView::SetField(qint32 fieldId, const QString &value)
{
    // Reading first also lets the host refuse an unknown field before anything is noted.
    const QString before = m_view->getField(fieldId);
    m_recorder.add(currentKey(), fieldId, before, value);
    if (fieldId == HostField::Key)
        m_key.reset();
    m_view->SetField(fieldId, value);
}

qint32 JournaledView::GetCount()
{
    return m_view->GetCount();
}

void JournaledView::MoveFirst()
{
    m_key.reset();
    m_view->MoveFirst();
}

void JournaledView::MoveNext()
{
    m_key.reset();
    m_view->MoveNext();
}

void JournaledView::GoTo(const QString &key)
{
    m_key.reset();
    m_view->GoTo(key);
}

QString JournaledView::currentKey()
{
    if (!m_key)
        m_key = m_view->getField(HostField::Key);
    return *m_key;
}
