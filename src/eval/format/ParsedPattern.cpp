#include "ParsedPattern.h"

namespace {

bool hasCode(const std::vector<PatternSection> &sections, QStringView codes)
{
    for (const PatternSection &section : sections) {
        for (const PatternChar &pc : section) {
            if (!pc.literal && codes.contains(pc.c))
                return true;
        }
    }
    return false;
}

} // namespace

ParsedPattern::ParsedPattern(const QString &pattern)
{
    m_named = NamedFormat::find(pattern);
    if (!m_named)
        parse(pattern);
    else if (m_named->kind == NamedFormat::Kind::Pattern)
        parse(QString(m_named->pattern));
    else
        m_kind = Kind::Named;
}

void ParsedPattern::parse(QStringView pattern)
{
    const std::vector<PatternSection> sections = PatternSections::split(pattern);
    if (hasCode(sections, u"0#")) {
        m_kind = Kind::Number;
        m_number.emplace(sections);
        return;
    }
    if (hasCode(sections, u"@&")) {
        m_kind = Kind::Text;
        m_text.emplace(sections);
        return;
    }
    m_date.emplace(sections.front());
    if (m_date->hasCodes()) {
        m_kind = Kind::Date;
    } else if (hasCode(sections, u"<>!")) {
        m_kind = Kind::Text;
        m_text.emplace(sections);
    } else {
        m_kind = Kind::Number;
        m_number.emplace(sections);
    }
    if (m_kind != Kind::Date)
        m_date.reset();
}
