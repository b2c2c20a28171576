#pragma once

#include <QtGlobal>

// Progress of a run over many records.
class RunProgress
{
public:
    virtual ~RunProgress() = default;

    virtual void begin(qint32 count) = 0;
    virtual void advance(qint32 done) = 0;
    virtual void end() = 0;
};
