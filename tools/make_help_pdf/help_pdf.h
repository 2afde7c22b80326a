#pragma once

#include <QString>

// Typesets a Markdown user guide as an A4 PDF: headings never stand alone at
// the foot of a page, table headers repeat, every page carries a running
// title and "Seite n von m". Pictures are found relative to `sourceFolder`.
// Returns an empty text on success, else why not.
QString writeHelpPdf(const QString &markdown, const QString &pdfPath, const QString &title,
                     const QString &sourceFolder = QString());
