#pragma once

#include "Value.h"

#include <QString>

class LocaleRules;

// The platform's variant arithmetic: how Empty, Number, Text, Date and Logical combine
// under each operator. Failures come back as the platform's error number (0 when the
// operation succeeded) instead of exceptions, because the evaluator recovers from them on
// its normal path ("#ERR", joining as text).
namespace VariantMath {

enum class Comparison : quint8 { Equal, Less, Greater, LessOrEqual, GreaterOrEqual, NotEqual };
enum class Logic : quint8 { And, Or, Xor, Eqv, Imp };

// Longest text a join or a function may build; past it the operation fails with
// "Out of memory" rather than exhausting the machine.
constexpr qsizetype MaxTextLength = qsizetype(1) << 22;

// Numeric in the IsNumeric sense: Empty, Number, Logical and numeric text (not Date).
bool isNumeric(const Value &v, const LocaleRules &rules);
// Equal to the empty text: Empty or "".
bool isBlank(const Value &v);

// The value as a double: Empty as 0, a Date as its serial, a Logical as -1 or 0, text
// when numeric. Type mismatch otherwise.
int toDouble(const Value &v, const LocaleRules &rules, double &out);
// Rounded half to even into the 32-bit range; Overflow outside it.
int toLong(const Value &v, const LocaleRules &rules, qint32 &out);
int toLong(double d, qint32 &out);

int add(const Value &a, const Value &b, const LocaleRules &rules, Value &out);
int join(const Value &a, const Value &b, const LocaleRules &rules, Value &out);
int multiply(const Value &a, const Value &b, const LocaleRules &rules, Value &out);
int divide(const Value &a, const Value &b, const LocaleRules &rules, Value &out);
int power(const Value &a, const Value &b, const LocaleRules &rules, Value &out);
// Never fails: a number sorts before a text, Empty matches both 0 and "".
bool compare(const Value &a, const Value &b, Comparison op);
int logic(const Value &a, const Value &b, Logic op, const LocaleRules &rules, Value &out);
int negate(const Value &v, const LocaleRules &rules, Value &out); // Not
// Round to 8 decimals, half to even; a Date stays a Date, text must be numeric.
int round8(const Value &v, const LocaleRules &rules, Value &out);

// Half to even at a given number of decimals, as the platform's Round does.
double roundHalfEven(double d, int decimals);

} // namespace VariantMath
