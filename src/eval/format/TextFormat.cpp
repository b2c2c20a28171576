#include "TextFormat.h"

namespace {

bool isPlaceholder(const PatternChar &pc)
{
    return !pc.literal && (pc.c == u'@' || pc.c == u'&');
}

} // namespace

TextFormat::TextFormat(const std::vector<PatternSection> &sections)
{
    for (size_t i = 0; i < sections.size() && i < 2; ++i)
        m_sections.push_back(parseSection(sections[i]));
}

TextFormat::Section TextFormat::parseSection(const PatternSection &chars)
{
    Section section;
    for (const PatternChar &pc : chars) {
        if (isPlaceholder(pc)) {
            ++section.placeholders;
            section.chars.push_back(pc);
        } else if (!pc.literal && pc.c == u'<') {
            section.letterCase = Case::Lower;
        } else if (!pc.literal && pc.c == u'>') {
            section.letterCase = Case::Upper;
        } else if (!pc.literal && pc.c == u'!') {
            section.fromLeft = true;
        } else {
            section.chars.push_back({pc.c, true});
        }
    }
    return section;
}

QString TextFormat::format(const QString &text) const
{
    const Section &section
        = text.isEmpty() && m_sections.size() > 1 ? m_sections[1] : m_sections.front();
    const QString cased = section.letterCase == Case::Lower ? text.toLower()
        : section.letterCase == Case::Upper                 ? text.toUpper()
                                                            : text;
    return fill(section, cased);
}

// Right to left, the first placeholder takes the characters left over at the front; left
// to right, the last one takes those left over at the end.
QString TextFormat::fill(const Section &section, const QString &text)
{
    // Without placeholders the whole text stands in front of the literals.
    QString out = section.placeholders == 0 ? text : QString();
    const int length = int(text.size());
    const int missing = qMax(0, section.placeholders - length);
    const int extra = qMax(0, length - section.placeholders);
    int placeholder = 0;
    int next = 0; // next character of the text
    for (const PatternChar &pc : section.chars) {
        if (!isPlaceholder(pc)) {
            out += pc.c;
            continue;
        }
        const int index = placeholder++;
        const bool empty = section.fromLeft ? index >= length : index < missing;
        if (!section.fromLeft && index == 0) {
            out += QStringView(text).left(extra);
            next = extra;
        }
        if (empty) {
            if (pc.c == u'@')
                out += u' ';
        } else {
            out += text[next++];
        }
        if (section.fromLeft && placeholder == section.placeholders)
            out += QStringView(text).mid(next);
    }
    return out;
}
