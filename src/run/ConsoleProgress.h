#pragma once

#include "RunProgress.h"

#include <QElapsedTimer>
#include <cstdio>

// "Record N of M" on standard error, rewritten in place a few times a second, and only
// for runs long enough to need it.
class ConsoleProgress : public RunProgress
{
public:
    explicit ConsoleProgress(std::FILE *out = stderr)
        : m_out(out)
    {
    }

    void begin(qint32 count) override;
    void advance(qint32 done) override;
    void end() override;

    static constexpr qint32 MinimumCount = 300;

private:
    void print(qint32 done);

    std::FILE *m_out;
    qint32 m_count = 0;
    bool m_shown = false;
    QElapsedTimer m_sincePrint;
};
