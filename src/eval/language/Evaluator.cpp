#include "Evaluator.h"

#include "Dialogs.h"
#include "EvalListener.h"
#include "FunctionArguments.h"
#include "FunctionTable.h"
#include "OrvantaError.h"
#include "VariantMath.h"

#include <new>

namespace {

enum class Op : quint8 {
    None,
    Join,
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,
    Equal,
    Less,
    Greater,
    LessOrEqual,
    GreaterOrEqual,
    NotEqual,
    Not,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
    Unknown, // >>, << and ><: nothing is read, so the step limit ends the loop
};

constexpr int MaxSteps = 1000;
// Line numbers of Token's "Syntax error" report.
constexpr int GroupTextStep = 2;
constexpr int FunctionCallStep = 3;

const QString ErrorMarker = QStringLiteral("#ERR");

char16_t lowerAscii(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') ? char16_t(u | 0x20) : u;
}

bool matchesWord(QStringView text, qsizetype index, const char *word, qsizetype length)
{
    if (index + length > text.size())
        return false;
    for (qsizetype i = 0; i < length; ++i) {
        if (lowerAscii(text[index + i]) != char16_t(word[i]))
            return false;
    }
    return true;
}

// The word operators need no delimiter: "Anderson" is "and" followed by "erson".
qsizetype readWordOperator(QStringView text, qsizetype index, Op &op)
{
    static constexpr struct
    {
        const char *word;
        Op op;
    } words[] = {
        {"not", Op::Not}, {"and", Op::And}, {"xor", Op::Xor}, {"eqv", Op::Eqv}, {"imp", Op::Imp}};
    for (const auto &w : words) {
        if (matchesWord(text, index, w.word, 3)) {
            op = w.op;
            return 3;
        }
    }
    if (matchesWord(text, index, "or", 2)) {
        op = Op::Or;
        return 2;
    }
    return 0;
}

bool isComparisonChar(char16_t c)
{
    return c == '<' || c == '>' || c == '=';
}

Op comparisonOperator(char16_t first, char16_t second)
{
    switch (first) {
    case '=':
        return second == '=' ? Op::Equal
            : second == '>'  ? Op::GreaterOrEqual
            : second == '<'  ? Op::LessOrEqual
                             : Op::Equal;
    case '>':
        return second == '=' ? Op::GreaterOrEqual : second == 0 ? Op::Greater : Op::Unknown;
    default:
        return second == '=' ? Op::LessOrEqual
            : second == '>'  ? Op::NotEqual
            : second == 0    ? Op::Less
                             : Op::Unknown;
    }
}

Op arithmeticOperator(char16_t c)
{
    switch (c) {
    case '&':
        return Op::Join;
    case '+':
        return Op::Add;
    case '-':
        return Op::Subtract;
    case '*':
        return Op::Multiply;
    case '/':
    case '\\':
        return Op::Divide;
    case '^':
        return Op::Power;
    default:
        return Op::None;
    }
}

bool endsOperand(char16_t c)
{
    switch (c) {
    case '&':
    case '+':
    case '-':
    case '/':
    case '\\':
    case '*':
    case '^':
    case ' ':
    case '>':
    case '<':
    case '=':
        return true;
    default:
        return false;
    }
}

VariantMath::Comparison comparisonOf(Op op)
{
    switch (op) {
    case Op::Less:
        return VariantMath::Comparison::Less;
    case Op::Greater:
        return VariantMath::Comparison::Greater;
    case Op::LessOrEqual:
        return VariantMath::Comparison::LessOrEqual;
    case Op::GreaterOrEqual:
        return VariantMath::Comparison::GreaterOrEqual;
    case Op::NotEqual:
        return VariantMath::Comparison::NotEqual;
    default:
        return VariantMath::Comparison::Equal;
    }
}

VariantMath::Logic logicOf(Op op)
{
    switch (op) {
    case Op::Or:
        return VariantMath::Logic::Or;
    case Op::Xor:
        return VariantMath::Logic::Xor;
    case Op::Eqv:
        return VariantMath::Logic::Eqv;
    case Op::Imp:
        return VariantMath::Logic::Imp;
    default:
        return VariantMath::Logic::And;
    }
}

// Counts nested Eval calls so that hostile nesting ends in an error, not a crashed stack.
class DepthGuard
{
public:
    explicit DepthGuard(int &depth)
        : m_depth(depth)
    {
        if (m_depth >= Evaluator::MaxDepth)
            throw OrvantaError(OrvantaError::OutOfStackSpace);
        ++m_depth;
    }
    ~DepthGuard() { --m_depth; }
    DepthGuard(const DepthGuard &) = delete;
    DepthGuard &operator=(const DepthGuard &) = delete;

private:
    int &m_depth;
};

} // namespace

struct Evaluator::Frame
{
    Op op = Op::None;
    Value open;
    Value closed;
};

enum class Evaluator::StepOutcome : quint8 {
    Continue,
    Failed, // the whole result is "#ERR"
    Stopped, // the closed sum is the result
};

Evaluator::Evaluator(const QLocale &locale, Dialogs &dialogs)
    : m_locale(locale)
    , m_dialogs(dialogs)
{
    m_locale.setToday([this] { return today(); });
}

Value Evaluator::evaluate(QStringView expression)
{
    m_state.lowerModes();
    m_todayRead = false;
    return Eval(expression);
}

Value Evaluator::Eval(QStringView expression)
{
    if (expression.size() > MaxExpressionLength)
        throw OrvantaError(OrvantaError::Overflow);
    DepthGuard guard(m_depth);

    const int length = int(expression.size());
    Frame frame;
    int position = 1;
    int steps = 0;
    while (position <= length && steps != MaxSteps) {
        ++steps;
        Op word = Op::None;
        if (const qsizetype skip = readWordOperator(expression, position - 1, word)) {
            frame.op = word;
            position += int(skip);
        }
        const char16_t c = position <= length ? expression[position - 1].unicode() : 0;
        if (c == ' ') {
            ++position;
            continue;
        }
        if (const Op op = arithmeticOperator(c); op != Op::None) {
            frame.op = op;
            ++position;
            continue;
        }
        if (isComparisonChar(c)) {
            const char16_t next = position < length ? expression[position].unicode() : 0;
            if (isComparisonChar(next)) {
                frame.op = comparisonOperator(c, next);
                position += 2;
            } else {
                frame.op = comparisonOperator(c, 0);
                ++position;
            }
            continue;
        }
        switch (operandStep(expression, position, frame)) {
        case StepOutcome::Failed:
            return Value::text(ErrorMarker);
        case StepOutcome::Stopped:
            return frame.closed;
        case StepOutcome::Continue:
            break;
        }
        m_state.InIfCondition = false;
        if (m_state.ErrorFlag)
            return frame.closed;
    }
    if (steps == MaxSteps)
        return Value::text(ErrorMarker);
    return finalResult(frame);
}

Evaluator::StepOutcome Evaluator::operandStep(QStringView expression, int &position, Frame &frame)
{
    using namespace VariantMath;
    Value result;
    int error = 0;
    switch (frame.op) {
    case Op::None:
        frame.open = Token(expression, position);
        return StepOutcome::Continue;
    case Op::Join:
        if (join(frame.closed, frame.open, m_locale, result))
            return StepOutcome::Failed;
        frame.closed = std::move(result);
        frame.open = Token(expression, position);
        m_state.ConcatMode = true;
        return StepOutcome::Continue;
    case Op::Add:
        if (closeOpenTerm(frame) == StepOutcome::Stopped)
            return StepOutcome::Stopped;
        frame.open = Token(expression, position);
        return StepOutcome::Continue;
    case Op::Subtract: {
        if (closeOpenTerm(frame) == StepOutcome::Stopped)
            return StepOutcome::Stopped;
        const Value n = Token(expression, position);
        error = multiply(n, Value::number(-1.0), m_locale, result);
        // A blank operand cannot be negated; it counts as 0.
        if (error == OrvantaError::TypeMismatch && isBlank(n)) {
            result = Value::number(0.0);
            error = 0;
        }
        break;
    }
    case Op::Multiply:
    case Op::Divide: {
        const Value n = Token(expression, position);
        const bool zero = isBlank(n) ? isNumeric(frame.open, m_locale) && !isBlank(frame.open)
                                     : isNumeric(n, m_locale) && isBlank(frame.open);
        // Only a multiplication may take the blank-divisor shortcut; a division by a blank
        // fails.
        if (zero && !(frame.op == Op::Divide && isBlank(n)))
            result = Value::number(0.0);
        else if (frame.op == Op::Multiply)
            error = multiply(frame.open, n, m_locale, result);
        else
            error = divide(frame.open, n, m_locale, result);
        break;
    }
    case Op::Power:
        error = power(frame.open, Token(expression, position), m_locale, result);
        break;
    case Op::Equal:
    case Op::Less:
    case Op::Greater:
    case Op::LessOrEqual:
    case Op::GreaterOrEqual:
    case Op::NotEqual:
        result = Value::logical(
            compare(frame.open, Token(expression, position), comparisonOf(frame.op)));
        frame.open = std::move(result);
        raiseTruthFlag();
        return StepOutcome::Continue;
    case Op::Not:
        if (closeOpenTerm(frame) == StepOutcome::Stopped)
            return StepOutcome::Stopped;
        error = negate(Token(expression, position), m_locale, result);
        if (!error)
            raiseTruthFlag();
        break;
    case Op::And:
    case Op::Or:
    case Op::Xor:
    case Op::Eqv:
    case Op::Imp:
        error = logic(frame.open, Token(expression, position), logicOf(frame.op), m_locale, result);
        if (!error)
            raiseTruthFlag();
        break;
    case Op::Unknown:
        return StepOutcome::Continue;
    }
    if (error)
        return StepOutcome::Failed;
    frame.open = std::move(result);
    return StepOutcome::Continue;
}

Evaluator::StepOutcome Evaluator::closeOpenTerm(Frame &frame)
{
    Value sum;
    int error = VariantMath::add(frame.closed, frame.open, m_locale, sum);
    // A sum of a text and a number falls back to joining them.
    if (error == OrvantaError::TypeMismatch)
        error = VariantMath::join(frame.closed, frame.open, m_locale, sum);
    if (error)
        return StepOutcome::Stopped;
    frame.closed = std::move(sum);
    return StepOutcome::Continue;
}

Value Evaluator::finalResult(Frame &frame)
{
    Value result;
    if (m_state.ConcatMode) {
        if (VariantMath::join(frame.closed, frame.open, m_locale, result))
            return frame.closed;
        return result;
    }
    Value sum;
    int error = VariantMath::add(frame.closed, frame.open, m_locale, sum);
    if (!error && m_state.FormatMode)
        return sum;
    if (!error)
        error = VariantMath::round8(sum, m_locale, result);
    if (error == OrvantaError::TypeMismatch)
        error = VariantMath::join(frame.closed, frame.open, m_locale, result);
    if (error)
        return frame.closed;
    return result;
}

void Evaluator::raiseTruthFlag()
{
    if (!m_state.InIfCondition)
        m_state.TruthFlag = true;
}

Value Evaluator::Token(QStringView expression, int &position)
{
    const qsizetype length = expression.size();
    const qsizetype start = position;
    qsizetype p = start;
    while (p <= length) {
        const char16_t c = expression[p - 1].unicode();
        if (endsOperand(c))
            break;
        if (c == '(')
            return readGroup(expression, start, p, position);
        if (c == '"')
            return readQuoted(expression, p, position);
        ++p;
    }
    position = int(p);
    if (p == start)
        return convertValue(Value());
    return convertText(expression.sliced(start - 1, p - start));
}

Value Evaluator::readGroup(
    QStringView expression, qsizetype nameStart, qsizetype open, int &position)
{
    const qsizetype length = expression.size();
    const QStringView name = expression.sliced(nameStart - 1, open - nameStart);
    const qsizetype innerStart = open + 1;
    qsizetype p = innerStart;
    int depth = 1;
    while (depth != 0 && p <= length) {
        const char16_t c = expression[p - 1].unicode();
        if (c == '(')
            ++depth;
        else if (c == ')')
            --depth;
        ++p;
    }
    position = int(p);
    // After a failure Token hands back what it had read: the function's name as written.
    // Without a closing parenthesis the inner text loses the last character; a "(" at the
    // very end leaves it a negative length, which the platform's Mid rejects.
    const qsizetype innerLength = p - innerStart - 1;
    const QStringView inner
        = innerLength < 0 ? QStringView() : expression.sliced(innerStart - 1, innerLength);
    const bool errorBefore = m_state.ErrorFlag;
    const auto failed = [&](const OrvantaError &error, int step) {
        reportTokenFailure(error, step);
        Value v = name.isEmpty() ? Value() : Value::text(name.toString());
        if (m_listener)
            reportStep(name, inner, v, errorBefore, error.description());
        return v;
    };
    if (innerLength < 0)
        return failed(OrvantaError(OrvantaError::InvalidProcedureCall), GroupTextStep);
    Value v;
    try {
        v = callFunction(name, inner);
    } catch (const OrvantaError &error) {
        return failed(error, FunctionCallStep);
    } catch (const std::bad_alloc &) {
        return failed(OrvantaError(OrvantaError::OutOfMemory), FunctionCallStep);
    }
    if (m_listener) [[unlikely]] {
        if (!m_state.ErrorFlag)
            v = convertValue(std::move(v));
        reportStep(name, inner, v, errorBefore);
        return v;
    }
    if (m_state.ErrorFlag)
        return v;
    return convertValue(std::move(v));
}

void Evaluator::reportStep(QStringView name, QStringView inner, const Value &value,
    bool errorBefore, const QString &failure)
{
    EvalStep step;
    step.text = name + QLatin1Char('(') + inner + QLatin1Char(')');
    step.value = m_locale.toText(value);
    step.depth = m_depth;
    // A step that raised ErrorFlag right after an inner step raised it only passed it on.
    const bool raised = m_state.ErrorFlag && !errorBefore;
    if (!failure.isEmpty()) {
        step.failed = true;
        step.error = failure;
    } else if (raised && m_raisedDepth <= m_depth) {
        step.failed = true;
        step.error = m_state.ErrText;
    }
    // Calls that run after the error (If reads its other arguments) keep the mark.
    if (raised)
        m_raisedDepth = m_depth;
    else if (!m_state.ErrorFlag)
        m_raisedDepth = 0;
    m_listener->stepEvaluated(step);
}

Value Evaluator::readQuoted(QStringView expression, qsizetype quote, int &position)
{
    const qsizetype length = expression.size();
    // 0-based from here: the first character after the opening quote.
    qsizetype i = quote;
    qsizetype segment = i;
    qsizetype end = length;
    QString unescaped;
    bool escaped = false;
    while (i < length) {
        if (expression[i] != u'"') {
            ++i;
            continue;
        }
        if (i + 1 < length && expression[i + 1] == u'"') {
            unescaped.append(expression.sliced(segment, i + 1 - segment));
            escaped = true;
            i += 2;
            segment = i;
            continue;
        }
        end = i;
        ++i;
        break;
    }
    position = int(i + 1);
    const QStringView tail = expression.sliced(segment, end - segment);
    if (!escaped)
        return convertText(tail);
    unescaped.append(tail);
    return convertText(std::move(unescaped));
}

Value Evaluator::callFunction(QStringView name, QStringView argumentText)
{
    const FunctionEntry *function = name.isEmpty() ? nullptr : FunctionTable::find(name);
    if (!function)
        return Eval(argumentText);
    if (function->arity == FunctionEntry::Arity::Single)
        return function->single(*this, Eval(argumentText));
    try {
        return function->list(*this, argumentText);
    } catch (const FunctionRejection &rejection) {
        return fail(rejection.message);
    }
}

bool Evaluator::convertsToNumberOrDate(QStringView text, Value &out) const
{
    double d = 0.0;
    if (m_locale.toNumber(text, d)) {
        if (m_state.FormatMode)
            return false;
        out = Value::number(d);
        return true;
    }
    if (m_locale.toDate(text, d)) {
        out = Value::date(d);
        return true;
    }
    return false;
}

Value Evaluator::convertText(QStringView text)
{
    Value out;
    if (m_state.ConcatMode || !convertsToNumberOrDate(text, out))
        return Value::text(text.toString());
    return out;
}

Value Evaluator::convertText(QString &&text)
{
    Value out;
    if (m_state.ConcatMode || !convertsToNumberOrDate(text, out))
        return Value::text(std::move(text));
    return out;
}

Value Evaluator::convertValue(Value v)
{
    if (m_state.ConcatMode)
        return v;
    switch (v.kind()) {
    case Value::Kind::Text:
        return convertText(QString(v.text()));
    case Value::Kind::Date:
        return v;
    case Value::Kind::Empty:
    case Value::Kind::Number:
    case Value::Kind::Logical:
        if (m_state.FormatMode)
            return v;
        return Value::number(v.number());
    }
    return v;
}

void Evaluator::reportTokenFailure(const OrvantaError &error, int step)
{
    const QString text = QStringLiteral("Error ") + QString::number(error.number())
        + QStringLiteral(": '") + error.description()
        + QStringLiteral("'\rin Module2: Function Token - Line # ") + QString::number(step);
    m_dialogs.message(text, QStringLiteral("Syntax error"), Dialogs::Buttons::Ok,
        Dialogs::Icon::Exclamation, Dialogs::Answer::Ok);
}

void Evaluator::setTargetFieldReader(std::function<QString()> reader)
{
    m_targetFieldReader = std::move(reader);
}

QString Evaluator::targetFieldText() const
{
    return m_targetFieldReader ? m_targetFieldReader() : QString();
}

void Evaluator::setClock(std::function<QDateTime()> clock)
{
    m_clock = std::move(clock);
    m_todayRead = false;
}

// Where TZ is not set the C library consults /etc/localtime on every clock read, so a
// run full of dates without a year reads the clock once per top-level evaluation.
QDate Evaluator::today() const
{
    if (!m_todayRead) {
        m_today = currentDateTime().date();
        m_todayRead = true;
    }
    return m_today;
}

QDateTime Evaluator::currentDateTime() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

QString Evaluator::evalToText(QStringView argument)
{
    return m_locale.toText(Eval(argument));
}

Value Evaluator::fail(const QString &message)
{
    m_state.ErrText = message;
    m_state.ErrorFlag = true;
    return {};
}
