#pragma once

#include "NumberSection.h"

#include <QString>
#include <vector>

class LocaleRules;

// A numeric pattern: up to four sections, for positive values, negative values, zero and
// (unused here) Null. A missing or empty negative section shows the positive one with a
// minus sign in front; a missing or empty zero section uses the positive one.
class NumberFormat
{
public:
    // Throws OrvantaError for more than four sections.
    explicit NumberFormat(const std::vector<PatternSection> &sections);

    QString format(double value, const LocaleRules &rules) const;

private:
    bool hasSection(size_t index) const
    {
        return index < m_sections.size() && !m_sections[index].isEmpty();
    }

    std::vector<NumberSection> m_sections;
};
