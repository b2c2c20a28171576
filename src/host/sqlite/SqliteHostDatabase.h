#pragma once

#include "HostDatabase.h"
#include "SqliteHostFields.h"

#include <memory>

// The stand-in host's database object: OpenEx reads the field lists of the database
// and lets go of the file again.
class SqliteHostDatabase : public HostDatabase
{
public:
    // "" opens the database the host has open (the host's own location); error 429
    // when there is none there, 53 when an explicit path does not exist.
    void OpenEx(const QString &path) override;
    HostFields &ContactFields() override;
    HostFields &GroupFields() override;

private:
    HostFields &opened(const std::unique_ptr<SqliteHostFields> &fields) const;

    std::unique_ptr<SqliteHostFields> m_contactFields;
    std::unique_ptr<SqliteHostFields> m_groupFields;
};
