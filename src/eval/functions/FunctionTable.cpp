#include "FunctionTable.h"

#include "BasicFunctions.h"
#include "DateFunctions.h"
#include "FinancialFunctions.h"
#include "StatisticalFunctions.h"
#include "TextFunctions.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

// Longer than any function name, so a name that does not fit is no function.
constexpr qsizetype MaxNameLength = 16;

std::string_view keyOf(const FunctionEntry *entry)
{
    return {entry->name.data(), size_t(entry->name.size())};
}

std::vector<const FunctionEntry *> buildTable()
{
    std::vector<const FunctionEntry *> table;
    for (const auto &family : {basicFunctions(), dateFunctions(), textFunctions(),
             statisticalFunctions(), financialFunctions()}) {
        for (const FunctionEntry &entry : family)
            table.push_back(&entry);
    }
    std::stable_sort(table.begin(), table.end(),
        [](const FunctionEntry *a, const FunctionEntry *b) { return keyOf(a) < keyOf(b); });
    return table;
}

const std::vector<const FunctionEntry *> &table()
{
    static const std::vector<const FunctionEntry *> sorted = buildTable();
    return sorted;
}

} // namespace

const FunctionEntry *FunctionTable::find(QStringView name)
{
    if (name.size() > MaxNameLength)
        return nullptr;
    char lower[MaxNameLength];
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        // Function names are plain ASCII; anything else cannot match.
        if (c == 0 || c > 0x7f)
            return nullptr;
        lower[i] = (c >= 'A' && c <= 'Z') ? char(c | 0x20) : char(c);
    }
    const std::string_view key(lower, size_t(name.size()));
    const auto &entries = table();
    const auto it = std::lower_bound(entries.begin(), entries.end(), key,
        [](const FunctionEntry *entry, std::string_view k) { return keyOf(entry) < k; });
    if (it == entries.end() || keyOf(*it) != key)
        return nullptr;
    return *it;
}
