#include "MarkdownPdf.h"

#include <QGuiApplication>
#include <cstdio>

// orvanta-manual-pdf MANUAL.md OUT.pdf
int main(int argc, char *argv[])
{
    // A build machine has no display: fonts need a platform, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 3) {
        std::fputs("usage: orvanta-manual-pdf MANUAL.md OUT.pdf\n", stderr);
        return 2;
    }
    const QString error = MarkdownPdf::write(arguments.at(1), arguments.at(2));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "orvanta-manual-pdf: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
