#include "EvalTrace.h"

#include "Evaluator.h"

EvalTrace::EvalTrace(Evaluator &evaluator)
    : m_evaluator(evaluator)
{
    m_evaluator.setListener(this);
}

EvalTrace::~EvalTrace()
{
    m_evaluator.setListener(nullptr);
}

void EvalTrace::stepEvaluated(const EvalStep &step)
{
    m_steps.append(step);
}
