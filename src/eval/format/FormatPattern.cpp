#include "FormatPattern.h"

#include "LocaleRules.h"
#include "ParsedPattern.h"

#include <array>
#include <memory>

namespace {

// Patterns repeat from record to record, so the last few parsed ones are kept.
class PatternCache
{
public:
    std::shared_ptr<const ParsedPattern> get(const QString &pattern)
    {
        for (const Slot &slot : m_slots) {
            if (slot.parsed && slot.pattern == pattern)
                return slot.parsed;
        }
        Slot &slot = m_slots[m_next];
        m_next = (m_next + 1) % m_slots.size();
        slot.parsed.reset();
        slot.parsed = std::make_shared<const ParsedPattern>(pattern);
        slot.pattern = pattern;
        return slot.parsed;
    }

private:
    struct Slot
    {
        QString pattern;
        std::shared_ptr<const ParsedPattern> parsed;
    };
    std::array<Slot, 16> m_slots;
    size_t m_next = 0;
};

// The value as a number: numeric text, else the serial of date text.
bool readAsNumber(const QString &valueText, const LocaleRules &rules, double &out)
{
    return rules.toNumber(valueText, out) || rules.toDate(valueText, out);
}

QString formatNamed(
    const NamedFormat::Entry &named, const QString &valueText, const LocaleRules &rules)
{
    double d = 0;
    if (!readAsNumber(valueText, rules, d))
        return valueText;
    switch (named.kind) {
    case NamedFormat::Kind::Currency:
        return NamedFormat::currency(d, rules);
    case NamedFormat::Kind::Words:
        return d != 0 ? QString(named.nonZeroWord) : QString(named.zeroWord);
    case NamedFormat::Kind::GeneralNumber:
    case NamedFormat::Kind::Pattern:
        break;
    }
    return rules.numberToText(d);
}

} // namespace

QString FormatPattern::format(
    const QString &valueText, const QString &pattern, const LocaleRules &rules)
{
    if (pattern.isEmpty())
        return valueText;
    thread_local PatternCache cache;
    const std::shared_ptr<const ParsedPattern> parsed = cache.get(pattern);
    double d = 0;
    switch (parsed->kind()) {
    case ParsedPattern::Kind::Text:
        return parsed->text().format(valueText);
    case ParsedPattern::Kind::Named:
        return formatNamed(parsed->named(), valueText, rules);
    case ParsedPattern::Kind::Date:
        return readAsNumber(valueText, rules, d) ? parsed->date().format(d, rules) : valueText;
    case ParsedPattern::Kind::Number:
        break;
    }
    return readAsNumber(valueText, rules, d) ? parsed->number().format(d, rules) : valueText;
}
