#pragma once

#include "Value.h"

#include <QLatin1StringView>
#include <QStringView>

class Evaluator;

// One built-in function of the dispatch table. A Single function receives Eval of its
// whole argument text; a List function receives the argument text unevaluated and
// splits it itself (FunctionArguments). A list body rejects bad arguments by throwing
// FunctionRejection, which ends as ErrText with ErrorFlag set; an OrvantaError ends in the
// "Syntax error" box. Bodies are named fn and the function's name, each family's table
// Entries.
struct FunctionEntry
{
    enum class Arity : quint8 { Single, List };
    using SingleBody = Value (*)(Evaluator &, const Value &x);
    using ListBody = Value (*)(Evaluator &, QStringView argumentText);

    QLatin1StringView name; // lower case
    Arity arity;
    SingleBody single = nullptr;
    ListBody list = nullptr;

    static constexpr FunctionEntry singleArgument(QLatin1StringView name, SingleBody body)
    {
        return {name, Arity::Single, body, nullptr};
    }
    static constexpr FunctionEntry argumentList(QLatin1StringView name, ListBody body)
    {
        return {name, Arity::List, nullptr, body};
    }
};
