#include "help_pdf.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

// make_help_pdf <guide.md> <output.pdf> [title]
int main(int argc, char *argv[])
{
    // A build step has no display; fonts and PDF output need none.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: make_help_pdf <guide.md> <output.pdf> [title]\n");
        return 2;
    }
    QFile source(args.at(1));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_help_pdf: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const QString markdown = QString::fromUtf8(source.readAll());
    const QString title = args.size() > 3 ? args.at(3) : QStringLiteral("Vantoria – Hilfe");

    const QString problem =
        writeHelpPdf(markdown, args.at(2), title, QFileInfo(args.at(1)).absolutePath());
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "make_help_pdf: %s\n", qPrintable(problem));
        return 1;
    }
    return 0;
}
