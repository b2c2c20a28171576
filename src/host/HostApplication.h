#pragma once

#include "HostAuxCommands.h"
#include "OrvantaError.h"

#include <QString>
#include <memory>

class HostEvents;
class HostCommitListener;
class HostViews;

// The host application object: the one entry point a run attaches to.
class HostApplication
{
public:
    virtual ~HostApplication() = default;

    virtual void OpenFile(const QString &path) = 0;
    virtual HostViews &Views() = 0;
    // One of HostCommand's numbers.
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

    // Makes every field written so far durable; throws OrvantaError when the host cannot
    // keep them. A run ends with it, so that no failed write goes unreported. A host may
    // keep other writers out from a view's first field read until then, so whoever reads
    // fields and then waits for the user commits first. A host that keeps each write at
    // once has nothing to do.
    virtual void Commit() { }

    // Reports every commit of field writes to listener (nullptr to stop); returns the
    // listener it replaces. A host that reports nothing leaves a journal of the run
    // unconfirmed until the run ends.
    virtual HostCommitListener *watchCommits(HostCommitListener *listener)
    {
        (void)listener;
        return nullptr;
    }
};
