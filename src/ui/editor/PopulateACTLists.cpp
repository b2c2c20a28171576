#include "PopulateACTLists.h"

#include "ErrorReport.h"
#include "FieldList.h"
#include "HostFields.h"
#include "OrvantaError.h"

#include <limits>

namespace {

const QLatin1String Bar("|");

QString barred(const QString &value)
{
    return Bar + value + Bar;
}

} // namespace

PopulateACTLists::PopulateACTLists(HostFields &fields, Dialogs &dialogs)
    : m_fields(fields)
    , m_dialogs(dialogs)
{
}

void PopulateACTLists::Populate_lvwFields(FieldList &lvwFields, const QString &typeList)
{
    try {
        lvwFields.clearFields();
    } catch (const OrvantaError &error) {
        report(error, false, QStringLiteral("Populate_lvwFields"), 1);
        return;
    }
    qint16 found = 0;
    try {
        if (handlePosition(lvwFields, 0, typeList))
            ++found;
    } catch (const OrvantaError &error) {
        report(error, false, QStringLiteral("Populate_lvwFields"), 3);
        return;
    }
    // From here on the host may run out of positions or drop the connection: what was
    // listed stays, and the picker opens with it.
    try {
        for (qint16 position = 0; found != m_fields.Count();) {
            if (position == std::numeric_limits<qint16>::max())
                return;
            ++position;
            if (handlePosition(lvwFields, position, typeList))
                ++found;
        }
    } catch (const OrvantaError &) {
        return;
    }
}

// True when the position holds a field, whether it was listed or not.
bool PopulateACTLists::handlePosition(
    FieldList &lvwFields, qint16 position, const QString &typeList)
{
    const qint32 id = m_fields.Id(position);
    if (id == -1)
        return false;
    if (Include_Field(QString::number(id), typeList))
        lvwFields.addField(id, m_fields.Label(position));
    return true;
}

bool PopulateACTLists::Include_Field(const QString &fieldId, const QString &typeList)
{
    int step = 1;
    try {
        if (!typeList.contains(barred(m_fields.Type(fieldId))))
            return false;
        step = 2;
        return !excludedIds().contains(barred(QString::number(m_fields.Id(fieldId))));
    } catch (const OrvantaError &error) {
        report(error, true, QStringLiteral("Include_Field"), step);
        return false;
    }
}

void PopulateACTLists::report(
    const OrvantaError &error, bool isFunction, const QString &procedure, int step)
{
    ErrorReport(QStringLiteral("modPopulateACTLists"),
        isFunction ? ErrorReport::Kind::Function : ErrorReport::Kind::Sub, procedure)
        .show(m_dialogs, error, step);
}
