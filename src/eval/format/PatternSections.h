#pragma once

#include <QChar>
#include <QStringView>
#include <vector>

// One character of a format pattern; literal when it was escaped with "\" or quoted, so
// that it stands for itself whatever it would otherwise mean.
struct PatternChar
{
    QChar c;
    bool literal = false;
};

using PatternSection = std::vector<PatternChar>;

// Cuts a format pattern into its ";"-separated sections, resolving escapes and quoted
// literals once so that the number, date and text formats only see marked characters.
class PatternSections
{
public:
    static std::vector<PatternSection> split(QStringView pattern);

    static bool isCode(const PatternSection &section, qsizetype i, QChar c)
    {
        return i < qsizetype(section.size()) && !section[i].literal && section[i].c == c;
    }
};
