#include "FieldList.h"

#include "OrvantaError.h"

#include <QHeaderView>

namespace {

constexpr int LabelColumn = 0;
constexpr int ReferenceColumn = 1;
constexpr int KeyNotUnique = 35602;
const QLatin1String AscendingMarker(" >>");
const QLatin1String DescendingMarker(" <<");

} // namespace

FieldList::FieldList(QWidget *parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("lvwFields"));
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("Field"), QStringLiteral("ID")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(LabelColumn, QHeaderView::Stretch);
    // Room for a five-digit reference, or the heading with its sort marker.
    header()->resizeSection(
        ReferenceColumn, fontMetrics().horizontalAdvance(QStringLiteral("[00000]")) + 24);
    connect(header(), &QHeaderView::sectionClicked, this, &FieldList::ColumnClick);
}

void FieldList::setFieldHeading(const QString &heading)
{
    headerItem()->setText(LabelColumn, heading);
}

QStringList FieldList::headings() const
{
    return {headerItem()->text(LabelColumn), headerItem()->text(ReferenceColumn)};
}

void FieldList::clearFields()
{
    clear();
    m_keys.clear();
}

void FieldList::addField(qint32 id, const QString &label)
{
    if (m_keys.contains(id))
        throw OrvantaError(KeyNotUnique, QStringLiteral("Key is not unique in collection"));
    m_keys.insert(id);
    auto *item = new QTreeWidgetItem({label, reference(id)});
    item->setData(LabelColumn, Qt::UserRole, QString(QStringLiteral("F") + QString::number(id)));
    addTopLevelItem(item);
}

QString FieldList::selectedReference() const
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.constFirst()->text(ReferenceColumn);
}

void FieldList::ColumnClick(int column)
{
    if (m_sortOrder == Qt::DescendingOrder) {
        m_sortOrder = Qt::AscendingOrder;
        markHeading(column, AscendingMarker);
    } else {
        m_sortOrder = Qt::DescendingOrder;
        markHeading(column, DescendingMarker);
    }
    sortItems(column, m_sortOrder);
}

void FieldList::markHeading(int column, const QString &marker)
{
    for (int i = LabelColumn; i <= ReferenceColumn; ++i) {
        QString heading = headerItem()->text(i);
        heading.remove(AscendingMarker).remove(DescendingMarker);
        headerItem()->setText(i, i == column ? heading + marker : heading);
    }
}

QString FieldList::reference(qint32 id)
{
    return QLatin1Char('[') + QString::number(id) + QLatin1Char(']');
}
