#pragma once

#include <QString>

// One finished parenthesised group or function call: what it evaluated, after
// substitution, and what it gave. Steps arrive innermost first; depth tells which
// earlier steps lie inside this one.
struct EvalStep
{
    QString text; // the name as written and the parenthesised text, e.g. Len("abc")
    QString value; // the result as text
    QString error; // ErrText when this step raised ErrorFlag, else empty
    int depth = 0; // nesting of the evaluation that read the step, 1 at the top
    bool failed = false;
};

// Told of every step while set on an evaluator; with none set the evaluator does no
// extra work.
class EvalListener
{
public:
    virtual ~EvalListener() = default;
    virtual void stepEvaluated(const EvalStep &step) = 0;
};
