#pragma once

#include "support/temp_home.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>

// The fixture gallery of tests/data/report copied into a fresh folder, where
// a test may damage it: Muster's December 2025 and January 2026 (with one
// entry line that cannot be read), no February, and Erika's months in the
// same year folder.
struct ReportGallery
{
    TempHome home;
    QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    QString reports = home.workFolder() + QStringLiteral("Blutdruck-Arztberichte/");

    ReportGallery()
    {
        const QString source = QStringLiteral(VANTORIA_TEST_DATA_DIR "/report/gallery/");
        QDirIterator files(source, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            TempHome::writeFile(gallery + path.mid(source.size()), TempHome::readFile(path));
        }
    }

    // March 2026 cannot be read: its name is taken by a folder.
    void damageMarch() const { QDir().mkpath(gallery + QStringLiteral("2026/Muster_03_2026.tab")); }

    // Every file of the gallery with its bytes, to prove nothing was written.
    QMap<QString, QByteArray> snapshot() const
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(gallery, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files.insert(path, TempHome::readFile(path));
        }
        return files;
    }
};
