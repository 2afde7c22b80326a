// The medication file in the gallery: written safely with a version of its
// last content, refused where it would lose a character, carried by the
// backups, and never taken for a month or a remark.
#include "base/text_file.h"
#include "storage/backup_restore.h"
#include "storage/gallery.h"
#include "storage/gallery_archive.h"
#include "storage/medication_store.h"
#include "storage/versions.h"
#include "support/temp_home.h"

#include <QDir>
#include <QTest>

namespace {

const std::array<QString, 4> kSlotTimes{QStringLiteral("07:00"), QStringLiteral("12:00"),
                                        QStringLiteral("18:00"), QStringLiteral("21:00")};

MedicationFile::Plan planOf(const QList<Medication> &medications)
{
    MedicationFile::Plan plan;
    for (const Medication &medication : medications)
        plan.lines.append({medication, QString(), 0, QString()});
    return plan;
}

Medication medication(const QString &name, const QString &note = QString())
{
    return {name, QStringLiteral("5 mg"), QStringLiteral("1-0-1"), QDate(2026, 3, 3), std::nullopt,
            note};
}

} // namespace

class TestMedicationStore : public QObject
{
    Q_OBJECT

private slots:
    void savedFileReadsBackInTheGallerysEncoding()
    {
        TempHome home;
        const QString gallery = home.workFolder() + QStringLiteral("Galerie/");
        QDir().mkpath(gallery);
        const MedicationFile::Plan plan = planOf(
            {medication(QStringLiteral("Metoprolol"), QStringLiteral("nüchtern, ½ Tablette"))});
        const QDateTime now(QDate(2026, 3, 3), QTime(8, 0));
        const MedicationStore::Saved saved =
            MedicationStore::save(gallery, QStringLiteral("Jürgen"), plan, now);
        QCOMPARE(saved.problem, QString());
        const QString path = gallery + QStringLiteral("Jürgen_Medikamente.txt");
        QCOMPARE(MedicationStore::filePath(gallery, QStringLiteral("Jürgen")), path);
        const QByteArray bytes = TempHome::readFile(path);
        QVERIFY(bytes.startsWith("Vantoria-Medikamentenplan 1\r\n#Name\tSt\xE4rke\t"));
        QVERIFY(bytes.contains("n\xFC"
                               "chtern, \xBD Tablette\r\n"));
        const MedicationStore::Loaded loaded =
            MedicationStore::load(gallery, QStringLiteral("Jürgen"));
        QVERIFY(loaded.exists);
        QCOMPARE(loaded.problem, QString());
        QCOMPARE(loaded.plan.medications(), plan.medications());
        // The first save had nothing to keep.
        QVERIFY(!QFileInfo::exists(gallery + QStringLiteral("Sicherungen")));
    }

    void previousContentBecomesAVersion()
    {
        TempHome home;
        const QString gallery = home.workFolder();
        const QDateTime first(QDate(2026, 3, 3), QTime(8, 0));
        MedicationStore::save(gallery, QStringLiteral("Muster"),
                              planOf({medication(QStringLiteral("Ramipril"))}), first);
        const QByteArray before =
            TempHome::readFile(MedicationStore::filePath(gallery, QStringLiteral("Muster")));
        // The same content again keeps nothing.
        MedicationStore::save(gallery, QStringLiteral("Muster"),
                              planOf({medication(QStringLiteral("Ramipril"))}), first.addSecs(60));
        const QString file = MedicationStore::filePath(gallery, QStringLiteral("Muster"));
        QCOMPARE(Versions::of(gallery, file).size(), 0);
        const MedicationStore::Saved saved = MedicationStore::save(
            gallery, QStringLiteral("Muster"),
            planOf({medication(QStringLiteral("Ramipril")), medication(QStringLiteral("ASS"))}),
            first.addSecs(120));
        QCOMPARE(saved.versionProblem, QString());
        const QList<Versions::Version> versions = Versions::of(gallery, file);
        QCOMPARE(versions.size(), 1);
        QCOMPARE(versions.first().path,
                 gallery +
                     QStringLiteral(
                         "Sicherungen/Medikamente/Muster_Medikamente.txt.2026-03-03_08-02-00"));
        QCOMPARE(TempHome::readFile(versions.first().path), before);
    }

    void characterOutsideTheEncodingIsRefusedBeforeWriting()
    {
        TempHome home;
        const QString gallery = home.workFolder();
        MedicationStore::save(gallery, QStringLiteral("Muster"),
                              planOf({medication(QStringLiteral("Ramipril"))}),
                              QDateTime::currentDateTime());
        const QString file = MedicationStore::filePath(gallery, QStringLiteral("Muster"));
        const QByteArray before = TempHome::readFile(file);
        const MedicationStore::Saved saved = MedicationStore::save(
            gallery, QStringLiteral("Muster"), planOf({medication(QStringLiteral("Ramipril ≥ 5"))}),
            QDateTime::currentDateTime());
        QCOMPARE(saved.problem,
                 QStringLiteral("Das Zeichen „≥“ in „Ramipril ≥ 5“ lässt sich in der "
                                "Medikamentenliste nicht speichern. Bitte schreiben "
                                "Sie es anders."));
        QCOMPARE(TempHome::readFile(file), before);
    }

    void aForeignFileIsShownAsAProblemAndNotRead()
    {
        TempHome home;
        const QString gallery = home.workFolder();
        TempHome::writeFile(gallery + QStringLiteral("Muster_Medikamente.txt"),
                            "Einkaufsliste\r\nBrot\r\n");
        MedicationStore::Loaded loaded = MedicationStore::load(gallery, QStringLiteral("Muster"));
        QVERIFY(loaded.exists);
        QVERIFY(loaded.problem.contains(QStringLiteral("ist keine Medikamentenliste")));
        TempHome::writeFile(gallery + QStringLiteral("Muster_Medikamente.txt"),
                            "Vantoria-Medikamentenplan 2\r\n");
        loaded = MedicationStore::load(gallery, QStringLiteral("Muster"));
        QVERIFY(loaded.problem.contains(QStringLiteral("neueren Version")));
        QVERIFY(!MedicationStore::load(gallery, QStringLiteral("Anders")).exists);
    }

    void namesOfMedicationFiles()
    {
        QVERIFY(MedicationStore::isMedicationFileName(QStringLiteral("Muster_Medikamente.txt")));
        QVERIFY(!MedicationStore::isMedicationFileName(QStringLiteral("_Medikamente.txt")));
        QVERIFY(!MedicationStore::isMedicationFileName(QStringLiteral("Muster_03_2026.txt")));
        QVERIFY(!MedicationStore::isMedicationFileName(
            QStringLiteral("Muster_Medikamente.txt.AbC123")));
        QVERIFY(!MedicationStore::isMedicationFileName(QStringLiteral("Muster_medikamente.txt")));
    }

    void readersOfMonthsPassItBy()
    {
        TempHome home;
        const QString gallery = home.workFolder();
        // A user whose name ends like a month cannot make the medication
        // file a month or remark of the period.
        MedicationStore::save(gallery, QStringLiteral("Muster_03_2026"),
                              planOf({medication(QStringLiteral("Ramipril"))}),
                              QDateTime::currentDateTime());
        const QList<Gallery::Month> months = Gallery::readPeriod(
            gallery, QStringLiteral("Muster"), QDate(2026, 3, 1), QDate(2026, 3, 31));
        QCOMPARE(months.size(), 1);
        QCOMPARE(months.first().state, Gallery::Month::State::Missing);
        QCOMPARE(months.first().remark, QString());
    }

    void backupCarriesItAndBringsItBackOnlyWhereThereIsNone()
    {
        TempHome home;
        const QString gallery = home.workFolder() + QStringLiteral("Galerie/");
        QDir().mkpath(gallery);
        MedicationStore::save(gallery, QStringLiteral("Muster"),
                              planOf({medication(QStringLiteral("Ramipril"))}),
                              QDateTime::currentDateTime());
        MedicationStore::save(gallery, QStringLiteral("Anna"),
                              planOf({medication(QStringLiteral("ASS"))}),
                              QDateTime::currentDateTime());
        QString problem;
        const std::optional<QList<GalleryArchive::Entry>> entries =
            GalleryArchive::collect(gallery, home.settingsFile(), &problem);
        QVERIFY(entries);
        QStringList names;
        for (const GalleryArchive::Entry &entry : *entries)
            names << entry.name;
        QCOMPARE(names,
                 (QStringList{QStringLiteral("Blutdruck-Daten-Galerie/Anna_Medikamente.txt"),
                              QStringLiteral("Blutdruck-Daten-Galerie/Muster_Medikamente.txt")}));

        // Into a gallery where Muster has another list and Anna none.
        const QString other = home.workFolder() + QStringLiteral("Andere/");
        QDir().mkpath(other);
        MedicationStore::save(other, QStringLiteral("Muster"),
                              planOf({medication(QStringLiteral("Bisoprolol"))}),
                              QDateTime::currentDateTime());
        const QByteArray kept =
            TempHome::readFile(other + QStringLiteral("Muster_Medikamente.txt"));
        const BackupRestore::Plan plan = BackupRestore::plan(*entries, other, kSlotTimes);
        QCOMPARE(plan.otherFiles, 0);
        QCOMPARE(plan.newMedicationFiles.size(), 1);
        QCOMPARE(plan.medicationFilesDiffering, 1);
        QVERIFY(BackupRestore::previewText(plan).contains(
            QStringLiteral("Medikamentenlisten: 1 neu, 1 nicht übernommen, weil schon eine andere "
                           "Liste vorhanden ist")));
        const BackupRestore::Result result = BackupRestore::apply(plan, other);
        QCOMPARE(result.problem, QString());
        QCOMPARE(result.written, QStringList{other + QStringLiteral("Anna_Medikamente.txt")});
        QCOMPARE(TempHome::readFile(other + QStringLiteral("Muster_Medikamente.txt")), kept);
        QCOMPARE(TempHome::readFile(other + QStringLiteral("Anna_Medikamente.txt")),
                 TempHome::readFile(gallery + QStringLiteral("Anna_Medikamente.txt")));
        // Restored twice: now both are there.
        const BackupRestore::Plan again = BackupRestore::plan(*entries, other, kSlotTimes);
        QCOMPARE(again.newMedicationFiles.size(), 0);
        QCOMPARE(again.medicationFilesPresent, 1);
    }
};

QTEST_GUILESS_MAIN(TestMedicationStore)
#include "tst_medication_store.moc"
