// Feeds arbitrary text to the evaluator: whatever the text, it must neither crash, hang
// nor print. The first byte picks the locale, so separators and dates of all three are
// exercised.
#include "Evaluator.h"
#include "OrvantaError.h"
#include "RecordingDialogs.h"

#include <QDateTime>
#include <QLocale>
#include <cstddef>
#include <cstdint>

namespace {

const QLocale &localeFor(uint8_t selector)
{
    static const QLocale locales[] = {QLocale(QStringLiteral("en_US")),
        QLocale(QStringLiteral("de_DE")), QLocale(QStringLiteral("fr_FR"))};
    return locales[selector % 3];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    RecordingDialogs dialogs;
    Evaluator ev(localeFor(data[0]), dialogs);
    ev.setClock([] { return QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26)); });
    ev.setTargetFieldReader([] { return QStringLiteral("Acme 12"); });
    const QString expression
        = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    try {
        ev.evaluate(expression);
    } catch (const OrvantaError &) {
        // Too long to read: the caller's handler reports it.
    }
    return 0;
}
