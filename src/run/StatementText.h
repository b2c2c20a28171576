#pragma once

#include <QString>
#include <QStringView>

// The text without its first and last character, or "" when it has fewer than 3.
QString strip_crochets(QStringView text);
