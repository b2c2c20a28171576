#pragma once

#include <QString>

class Dialogs;
class FieldList;
class HostFields;
class OrvantaError;

// Fills the field picker from the host's field collection: every field whose type is in
// the caller's type list and whose ID is not one of the host's internal fields.
class PopulateACTLists
{
public:
    PopulateACTLists(HostFields &fields, Dialogs &dialogs);

    // Walks the positions from 0 until as many fields as Count says have been seen; gaps
    // (ID -1) are skipped. Errors clearing the list or at position 0 are reported; later
    // ones end the walk silently with the fields listed so far.
    void Populate_lvwFields(FieldList &lvwFields, const QString &typeList);

    // "|1|2|" style lists make the test exact: type 1 does not match "|11|".
    bool Include_Field(const QString &fieldId, const QString &typeList);

    static QString excludedIds() { return QStringLiteral("|203|201|202|90|125|"); }

private:
    bool handlePosition(FieldList &lvwFields, qint16 position, const QString &typeList);
    void report(const OrvantaError &error, bool isFunction, const QString &procedure, int step);

    HostFields &m_fields;
    Dialogs &m_dialogs;
};
