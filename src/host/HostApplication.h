#pragma once

#include <QString>

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
    // Makes every field written so far durable; throws OrvantaError when the host cannot
    // keep them. A run ends with it, so that no failed write goes unreported. A host may
    // keep other writers out from a view's first field read until then, so whoever reads
    // fields and then waits for the user commits first. A host that keeps each write at
    // once has nothing to do.
    virtual void Commit() { }
};
