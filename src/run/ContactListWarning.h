#pragma once

#include <QString>

// The texts of the warning shown when a run starts in the Contact List view.
namespace ContactListWarning {

inline QString caption()
{
    return QStringLiteral("Warning!");
}
inline QString text()
{
    return QStringLiteral("Orvanta is unable to perform calculations in the Contact List view.");
}
inline QString doNotShowText()
{
    return QStringLiteral("Do not show this warning anymore.");
}

} // namespace ContactListWarning
