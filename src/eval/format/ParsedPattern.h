#pragma once

#include "DateFormat.h"
#include "NamedFormat.h"
#include "NumberFormat.h"
#include "TextFormat.h"

#include <QString>
#include <optional>

// A format pattern read once: which kind of value it formats and the parsed format. A
// pattern with digit placeholders is numeric, one with "@" or "&" a text pattern, one
// with date or time codes a date pattern, "<", ">" or "!" alone a text pattern again;
// anything else is a numeric pattern of literals. Named formats resolve here too.
class ParsedPattern
{
public:
    enum class Kind : quint8 { Number, Date, Text, Named };

    // Throws OrvantaError for a pattern the formatter rejects.
    explicit ParsedPattern(const QString &pattern);

    Kind kind() const { return m_kind; }
    const NumberFormat &number() const { return *m_number; }
    const DateFormat &date() const { return *m_date; }
    const TextFormat &text() const { return *m_text; }
    const NamedFormat::Entry &named() const { return *m_named; }

private:
    void parse(QStringView pattern);

    Kind m_kind = Kind::Number;
    const NamedFormat::Entry *m_named = nullptr;
    std::optional<NumberFormat> m_number;
    std::optional<DateFormat> m_date;
    std::optional<TextFormat> m_text;
};
