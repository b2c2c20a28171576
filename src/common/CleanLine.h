#pragma once

#include <QString>
#include <QStringView>

// The text without its characters below code 32, the others kept in order.
QString Clean_Line(QStringView text);
