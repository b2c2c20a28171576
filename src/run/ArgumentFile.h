#pragma once

#include <QString>

// Calculation syntax files (.ocs, .ogs): comments after "'", control characters dropped,
// each line trimmed, the lines joined with nothing between them.
class ArgumentFile
{
public:
    // The calculation text of the file; throws OrvantaError when it cannot be read.
    static QString read(const QString &path);
    // The same from the file's bytes (UTF-8, or UTF-16 after its byte-order mark; lines
    // ended by CR LF or a lone CR).
    static QString calculationText(const QByteArray &content);
};
