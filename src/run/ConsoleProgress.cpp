#include "ConsoleProgress.h"

void ConsoleProgress::begin(qint32 count)
{
    m_count = count;
    m_shown = count > MinimumCount;
    if (!m_shown)
        return;
    m_sincePrint.start();
    print(0);
}

void ConsoleProgress::advance(qint32 done)
{
    // Looking at the clock every record would cost more than the record itself.
    if (!m_shown || (done & 63) != 0 || m_sincePrint.elapsed() < 200)
        return;
    m_sincePrint.restart();
    print(done);
}

void ConsoleProgress::end()
{
    if (!m_shown)
        return;
    print(m_count);
    std::fputc('\n', m_out);
    std::fflush(m_out);
    m_shown = false;
}

void ConsoleProgress::print(qint32 done)
{
    std::fprintf(m_out, "\rRecord %d of %d", done, m_count);
    std::fflush(m_out);
}
