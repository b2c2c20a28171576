#pragma once

#include <QString>

class Dialogs;
class OrvantaError;

// The program-wide error report: what failed, where, and whom to tell.
class ErrorReport
{
public:
    enum class Kind { Sub, Function };

    ErrorReport(QString module, Kind kind, QString procedure);

    // "Error N: 'description'" CR "in Module: Sub Name - Line # step" CR CR support line.
    QString text(const OrvantaError &error, int step) const;
    // The same with another last line, as dialogs that speak the user's language write it.
    QString text(const OrvantaError &error, int step, const QString &lastLine) const;

    // Shows the text in an OK-only box without icon, captioned "Orvanta error".
    void show(Dialogs &dialogs, const OrvantaError &error, int step) const;

    static QString caption();
    static QString supportLine();
    static QString supportAddress();

private:
    QString m_module;
    Kind m_kind;
    QString m_procedure;
};
