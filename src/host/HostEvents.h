#pragma once

#include <QString>

// What the host tells an attached program about its records, on the program's
// user-interface thread. The text argument names the record (its key); listeners may
// ignore it.
class HostEvents
{
public:
    virtual ~HostEvents() = default;

    // A field of the current contact or group changed.
    virtual void OnContactChange(const QString &record) = 0;
    virtual void OnGroupChange(const QString &record) = 0;
    // Another contact or group became current.
    virtual void OnContactPosChange(const QString &record) = 0;
    virtual void OnGroupPosChange(const QString &record) = 0;
    // The contact lookup now holds other records.
    virtual void OnContactLookupChange() = 0;
    // The database file was removed: nothing more can be read from the host.
    virtual void OnHostGone() = 0;
};
