#pragma once

#include "HostAuxCommands.h"
#include "OrvantaError.h"

#include <QString>
#include <memory>

class HostEvents;
class HostViews;

// The host application object: the one entry point a run attaches to.
class HostApplication
{
public:
    virtual ~HostApplication() = default;

    virtual void OpenFile(const QString &path) = 0;
    virtual HostViews &Views() = 0;
    // 104 before every run and test, 701 to make the lookup hold every contact,
    // 150 before a host restart.
    virtual void Command(qint16 command) = 0;
    virtual QString GetOpenDBName() = 0;

    // The host's launch commands, a separate object as on the real host; error 429 where
    // the host keeps none.
    virtual std::unique_ptr<HostAuxCommands> AuxCommands()
    {
        throw OrvantaError(OrvantaError::CantCreateObject);
    }

    // Starts telling events of changes made by other programs to the listener; null
    // stops. A host that raises no events keeps this default.
    virtual void AdviseEvents(HostEvents *events) { (void)events; }
};
