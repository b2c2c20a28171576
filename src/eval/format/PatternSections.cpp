#include "PatternSections.h"

std::vector<PatternSection> PatternSections::split(QStringView pattern)
{
    std::vector<PatternSection> sections(1);
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\\') {
            // A trailing backslash escapes nothing and shows nothing.
            if (i + 1 < pattern.size())
                sections.back().push_back({pattern[++i], true});
        } else if (c == u'"') {
            // An unclosed quote runs to the end of the pattern.
            while (++i < pattern.size() && pattern[i] != u'"')
                sections.back().push_back({pattern[i], true});
        } else if (c == u';') {
            sections.emplace_back();
        } else {
            sections.back().push_back({c, false});
        }
    }
    return sections;
}
