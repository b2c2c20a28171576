#pragma once

#include "EvalListener.h"

#include <QList>

class Evaluator;

// Keeps the steps of the evaluations made while it lives, listening on the evaluator
// it was given; the evaluator goes back to no listener when it ends.
class EvalTrace : public EvalListener
{
public:
    explicit EvalTrace(Evaluator &evaluator);
    ~EvalTrace() override;
    EvalTrace(const EvalTrace &) = delete;
    EvalTrace &operator=(const EvalTrace &) = delete;

    void stepEvaluated(const EvalStep &step) override;

    const QList<EvalStep> &steps() const { return m_steps; }

private:
    Evaluator &m_evaluator;
    QList<EvalStep> m_steps;
};
