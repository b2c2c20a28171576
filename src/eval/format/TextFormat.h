#pragma once

#include "PatternSections.h"

#include <QString>
#include <vector>

// A text pattern: "@" shows a character or a space, "&" a character or nothing, "<"
// lower-cases and ">" upper-cases the text, "!" fills the placeholders from the left
// instead of from the right. A second section is used for the empty text.
class TextFormat
{
public:
    explicit TextFormat(const std::vector<PatternSection> &sections);

    QString format(const QString &text) const;

private:
    enum class Case : quint8 { AsIs, Lower, Upper };
    struct Section
    {
        PatternSection chars;
        int placeholders = 0;
        Case letterCase = Case::AsIs;
        bool fromLeft = false;
    };

    static Section parseSection(const PatternSection &chars);
    static QString fill(const Section &section, const QString &text);

    std::vector<Section> m_sections;
};
