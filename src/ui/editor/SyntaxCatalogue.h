#pragma once

#include <QList>
#include <QString>

// The functions and operators the editor's pick lists offer, each written once in one
// table: what the list shows and what a click on it inserts at the caret.
class SyntaxCatalogue
{
public:
    enum class List { Functions, Operators };

    struct Entry
    {
        QString listText;
        QString insertedText;
    };

    // The entries of one list in row order; a row's index is its number (the item data of
    // its list entry).
    static QList<Entry> entries(List list);
};
