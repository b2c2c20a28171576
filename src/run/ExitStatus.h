#pragma once

#include "OrvantaError.h"

// What a run tells a script through its exit status.
enum class ExitStatus {
    // Every statement was written.
    Written = 0,
    // A statement or a record reported an error, or the user stopped the run.
    NotWritten = 1,
    BadCommandLine = 2,
    // The host could not be reached or its database failed.
    HostFailed = 3,
};

// Keeps the graver of the two.
inline void worsen(ExitStatus &status, ExitStatus to)
{
    if (int(to) > int(status))
        status = to;
}

// Errors that come from the host's side rather than from the calculation.
inline ExitStatus exitStatusFor(const OrvantaError &error)
{
    switch (error.number()) {
    case OrvantaError::ObjectNotSet:
    case OrvantaError::CantCreateObject:
    case OrvantaError::AutomationError:
        return ExitStatus::HostFailed;
    default:
        return ExitStatus::NotWritten;
    }
}
