#pragma once

#include <QString>

// The evaluation state shared by the evaluator, the run and the preview.
struct EvalState
{
    bool ErrorFlag = false; // a built-in function rejected its arguments
    QString ErrText; // what it said
    bool TruthFlag = false; // a comparison or logical step ran
    bool ConcatMode = false; // "&" ran: operands stay text, the result joins
    bool FormatMode = false; // Format ran: numeric text stays text, no final rounding
    bool InIfCondition = false; // If is reading its condition: comparisons leave TruthFlag

    // Lowered at the start of every top-level evaluation so that one statement never
    // changes how the next one is read. ErrorFlag and ErrText are the caller's to clear.
    void lowerModes()
    {
        TruthFlag = false;
        ConcatMode = false;
        FormatMode = false;
        InIfCondition = false;
    }
    void clearError()
    {
        ErrorFlag = false;
        ErrText.clear();
    }
};
