#pragma once

#include <QString>

class HostFields;

// The host database object, used to list the fields of contacts or groups.
class HostDatabase
{
public:
    virtual ~HostDatabase() = default;

    virtual void OpenEx(const QString &path) = 0;
    virtual HostFields &ContactFields() = 0;
    virtual HostFields &GroupFields() = 0;
};
