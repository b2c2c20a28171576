#pragma once

#include <QSet>
#include <QTreeWidget>

// "lvwFields", the field picker's list: a field's label and its reference "[ID]", keyed
// "F" and the ID. A click on a heading sorts by that column, the order shown by a " >>"
// (ascending) or " <<" (descending) marker on the heading.
class FieldList : public QTreeWidget
{
    Q_OBJECT

public:
    explicit FieldList(QWidget *parent = nullptr);

    void setFieldHeading(const QString &heading);
    QStringList headings() const;

    void clearFields();
    // Error 35602 when a field with this ID is listed already.
    void addField(qint32 id, const QString &label);
    // The reference of the selected item, "" when none is selected.
    QString selectedReference() const;

    // lvwFields_ColumnClick: toggles the sort order from the one the list has now.
    void ColumnClick(int column);
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    static QString reference(qint32 id);

private:
    void markHeading(int column, const QString &marker);

    QSet<qint32> m_keys;
    // A list that was never sorted reports ascending, so the first click sorts descending.
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
