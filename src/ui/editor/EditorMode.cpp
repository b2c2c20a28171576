#include "EditorMode.h"

namespace {

constexpr qint16 ContactView = 1;

} // namespace

EditorMode EditorMode::forViewType(qint16 activeViewType)
{
    return EditorMode(activeViewType == ContactView ? Contact : Group);
}

EditorMode EditorMode::forFile(const QString &path)
{
    return EditorMode(path.endsWith(QLatin1String(".ogs"), Qt::CaseInsensitive) ? Group : Contact);
}

QString EditorMode::sExt() const
{
    return m_kind == Contact ? QStringLiteral("ocs") : QStringLiteral("ogs");
}

QString EditorMode::sFileType() const
{
    return m_kind == Contact ? QStringLiteral("Orvanta Contact Syntax")
                             : QStringLiteral("Orvanta Group Syntax");
}

QString EditorMode::filter() const
{
    return sFileType() + QStringLiteral(" (*.") + sExt() + QStringLiteral(")|*.") + sExt();
}

QString EditorMode::caption() const
{
    return m_kind == Contact ? QStringLiteral("Syntax Editor - Contact Fields")
                             : QStringLiteral("Syntax Editor - Group Fields");
}

QString EditorMode::fieldHeading() const
{
    return m_kind == Contact ? QStringLiteral("Contact Fields") : QStringLiteral("Group Fields");
}

QString EditorMode::insertFieldCaption() const
{
    return m_kind == Contact ? QStringLiteral("Insert Contact Field...")
                             : QStringLiteral("Insert Group Field...");
}

QString EditorMode::insertFieldTooltip() const
{
    return m_kind == Contact ? QStringLiteral("Insert Contact Field")
                             : QStringLiteral("Insert Group Field");
}
