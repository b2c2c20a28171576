#pragma once

// Told when the host makes field writes durable, so that a record of those writes kept
// elsewhere can be made durable first and confirmed after: a process killed at any
// moment then leaves that record holding at most one unconfirmed commit.
class HostCommitListener
{
public:
    virtual ~HostCommitListener() = default;

    // The commit about to start carries the oldest fieldWrites SetField calls not yet
    // committed (0 for a commit of other state).
    virtual void aboutToCommit(int fieldWrites) = 0;
    // The commit announced last has reached the host's storage.
    virtual void committed() = 0;
};
