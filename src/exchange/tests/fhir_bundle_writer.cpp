// Writes a FHIR bundle with readings and medications for the schema check of
// tests/fhir/validate_bundle.test.mjs: the file named by the first argument.
#include "base/text_file.h"
#include "exchange/fhir_export.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QList<Reading> readings;
    for (const char *line : {"Morgens den 03.03.2026 Z=07:30 s=148, d=92, p=71, Gewicht=80,4",
                             "Abends den 03.03.2026 Z=24:00 s=136, d=84, p=0, Gewicht=0",
                             "Mittags den 29.03.2026 Z=02:30 s=131, d=80, p=66, Gewicht=0"})
        readings.append(*Reading::parse(QString::fromLatin1(line)));
    const QList<Medication> medications{
        {QStringLiteral("Ramipril"), QStringLiteral("5 mg"), QStringLiteral("1-0-1"),
         QDate(2026, 1, 10), QDate(2026, 3, 2), QStringLiteral("zum Frühstück")},
        {QStringLiteral("Ramipril"), QStringLiteral("10 mg"), QString(), QDate(2026, 3, 3),
         std::nullopt, QString()},
    };
    const QByteArray bundle = FhirExport::bundle(readings, QStringLiteral("Jürgen Muster"),
                                                 QTimeZone(QByteArrayLiteral("Europe/Berlin")),
                                                 medications, QDate(2026, 4, 2));
    return TextFile::writeBytes(QString::fromLocal8Bit(argv[1]), bundle) ? 0 : 1;
}
