#include "storage/medication_store.h"

#include "base/german_quotes.h"
#include "base/text_file.h"
#include "base/windows1252.h"
#include "storage/data_folders.h"
#include "storage/versions.h"

#include <QDir>
#include <QFileInfo>

namespace MedicationStore {

QString filePath(const QString &galleryFolder, const QString &user)
{
    return DataFolders::withTrailingSlash(galleryFolder) + user + kSuffix;
}

bool isMedicationFileName(const QString &fileName)
{
    return fileName.size() > kSuffix.size() && fileName.endsWith(kSuffix) &&
           !fileName.contains(QLatin1Char('/')) &&
           DataFolders::userNameProblem(fileName.chopped(kSuffix.size())).isEmpty();
}

Loaded load(const QString &galleryFolder, const QString &user)
{
    Loaded loaded;
    const QString path = filePath(galleryFolder, user);
    const QFileInfo info(path);
    if (!info.exists())
        return loaded;
    loaded.exists = true;
    const QString shown = germanQuoted(QDir::toNativeSeparators(path));
    const std::optional<QStringList> lines =
        info.isFile() ? TextFile::readLines(path) : std::nullopt;
    if (!lines) {
        loaded.problem = QStringLiteral("Die Medikamentenliste ") + shown +
                         QStringLiteral(" lässt sich nicht lesen.");
        return loaded;
    }
    if (std::optional<MedicationFile::Plan> plan = MedicationFile::read(*lines)) {
        loaded.plan = std::move(*plan);
        return loaded;
    }
    loaded.problem =
        MedicationFile::isMedicationFile(*lines)
            ? QStringLiteral("Die Medikamentenliste ") + shown +
                  QStringLiteral(" stammt von einer neueren Version des Programms. Sie wird "
                                 "nur angezeigt und nicht verändert.")
            : QStringLiteral("Die Datei ") + shown +
                  QStringLiteral(" ist keine Medikamentenliste dieses Programms. Sie wird nicht "
                                 "verändert.");
    return loaded;
}

QList<Medication> medicationsOf(const QString &galleryFolder, const QString &user)
{
    return load(galleryFolder, user).plan.medications();
}

Saved save(const QString &galleryFolder, const QString &user, const MedicationFile::Plan &plan,
           const QDateTime &now)
{
    Saved saved;
    for (const Medication &medication : plan.medications()) {
        for (const QString *text :
             {&medication.name, &medication.strength, &medication.intake, &medication.note}) {
            const QString unheld = Windows1252::firstUnheld(*text);
            if (!unheld.isEmpty()) {
                saved.problem = QStringLiteral("Das Zeichen ") + germanQuoted(unheld) +
                                QStringLiteral(" in ") + germanQuoted(*text) +
                                QStringLiteral(" lässt sich in der Medikamentenliste nicht "
                                               "speichern. Bitte schreiben Sie es anders.");
                return saved;
            }
        }
    }
    const QString path = filePath(galleryFolder, user);
    const QStringList lines = MedicationFile::write(plan);
    const QString versionProblem = Versions::keepBefore(galleryFolder, path, lines, now);
    QString error;
    if (!TextFile::writeLines(path, lines, &error)) {
        saved.problem = QStringLiteral("Die Medikamentenliste ") +
                        germanQuoted(QDir::toNativeSeparators(path)) +
                        QStringLiteral(" konnte nicht gespeichert werden: ") + error;
        return saved;
    }
    saved.versionProblem = versionProblem;
    return saved;
}

} // namespace MedicationStore
