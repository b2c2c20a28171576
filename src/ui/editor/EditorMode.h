#pragma once

#include <QString>

// Contact or group: which host fields the editor lists and which syntax files it opens and
// saves. The file format is the same for both.
class EditorMode
{
public:
    enum Kind { Contact, Group };

    constexpr explicit EditorMode(Kind kind)
        : m_kind(kind)
    {
    }

    // Contact in the host's contact view (type 1), group in any other.
    static EditorMode forViewType(qint16 activeViewType);
    // Group for a ".ogs" file, contact for any other name.
    static EditorMode forFile(const QString &path);

    Kind kind() const { return m_kind; }
    QString sExt() const;
    QString sFileType() const;
    // "Orvanta Contact Syntax (*.ocs)|*.ocs"
    QString filter() const;
    QString caption() const;
    QString fieldHeading() const;
    QString insertFieldCaption() const;
    QString insertFieldTooltip() const;

private:
    Kind m_kind;
};
