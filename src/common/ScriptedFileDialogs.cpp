#include "ScriptedFileDialogs.h"

std::optional<QString> ScriptedFileDialogs::choose(const Request &request)
{
    m_requests.append(request);
    if (m_script.isEmpty())
        return std::nullopt;
    return m_script.takeFirst();
}
