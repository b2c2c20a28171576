#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

// The persisted properties of a control on a saved form. A value equal to its default
// is not stored; reading a name that was not stored gives the default back.
class PropertyBag
{
public:
    void WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue);
    QVariant ReadProperty(const QString &name, const QVariant &defaultValue) const;

    // Every name written, in the order it was written, stored or not.
    const QStringList &writtenNames() const { return m_written; }
    bool contains(const QString &name) const;

private:
    QList<QPair<QString, QVariant>> m_values;
    QStringList m_written;
};
