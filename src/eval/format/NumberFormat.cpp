#include "NumberFormat.h"

#include "LocaleRules.h"
#include "OrvantaError.h"

#include <cmath>

NumberFormat::NumberFormat(const std::vector<PatternSection> &sections)
{
    if (sections.size() > 4)
        throw OrvantaError(OrvantaError::InvalidProcedureCall);
    m_sections.reserve(sections.size());
    for (const PatternSection &section : sections)
        m_sections.emplace_back(section);
}

QString NumberFormat::format(double value, const LocaleRules &rules) const
{
    if (!std::isfinite(value))
        throw OrvantaError(OrvantaError::Overflow);
    QString out;
    if (value < 0 && hasSection(1)) {
        m_sections[1].format(-value, rules, out);
        return out;
    }
    if (value == 0 && hasSection(2)) {
        m_sections[2].format(0.0, rules, out);
        return out;
    }
    // An empty positive section shows the number in general form.
    if (!hasSection(0))
        out = rules.numberToText(std::fabs(value));
    else if (m_sections[0].format(std::fabs(value), rules, out))
        return out;
    if (value < 0)
        out.prepend(u'-');
    return out;
}
