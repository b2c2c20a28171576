#include "PropertyBag.h"

void PropertyBag::WriteProperty(
    const QString &name, const QVariant &value, const QVariant &defaultValue)
{
    m_written.append(name);
    m_values.removeIf([&name](const auto &entry) { return entry.first == name; });
    if (value != defaultValue)
        m_values.append({name, value});
}

QVariant PropertyBag::ReadProperty(const QString &name, const QVariant &defaultValue) const
{
    for (const auto &entry : m_values) {
        if (entry.first == name)
            return entry.second;
    }
    return defaultValue;
}

bool PropertyBag::contains(const QString &name) const
{
    return std::any_of(m_values.cbegin(), m_values.cend(),
        [&name](const auto &entry) { return entry.first == name; });
}
