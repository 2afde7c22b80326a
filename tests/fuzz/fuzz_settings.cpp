// A settings file with any content: every value is read as the program reads
// it, then one write must keep everything that was readable.
#include "fuzz_support.h"

#include "storage/settings_store.h"
#include "base/conversion_error.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = Fuzz::scratchFolder() + QStringLiteral("Vantoria.conf");
    {
        QFile file(path);
        Fuzz::check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file");
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const SettingsStore store(path);
    QStringList strings, integers;
    for (const QString &name : SettingsStore::valueNames()) {
        strings << store.Lies_String_aus_Registry(name);
        integers << store.Lies_Integer_aus_Registry(name);
        (void)store.readFlag(name);
        try {
            (void)store.readColour(name);
        } catch (const ConversionError &) {
        }
    }

    store.Schreib_String_in_Registry(QStringLiteral("TabellenDateiName"),
                                     QStringLiteral("/a \"b\"\\c\r\nd.tab"));
    store.Schreib_Integer_in_Registry(QStringLiteral("LinieBeiNullUnterbrechen"),
                                      QStringLiteral("1"));
    Fuzz::check(store.Lies_String_aus_Registry(QStringLiteral("TabellenDateiName")) ==
                    QStringLiteral("/a \"b\"\\c\r\nd.tab"),
                "a written string reads back");
    Fuzz::check(store.Lies_Integer_aus_Registry(QStringLiteral("LinieBeiNullUnterbrechen")) ==
                    QStringLiteral("1"),
                "a written integer reads back");
    for (qsizetype i = 0; i < SettingsStore::valueNames().size(); ++i) {
        const QString &name = SettingsStore::valueNames().at(i);
        if (name == QLatin1String("TabellenDateiName") ||
            name == QLatin1String("LinieBeiNullUnterbrechen"))
            continue;
        Fuzz::check(store.Lies_String_aus_Registry(name) == strings.at(i),
                    "strings survive a write");
        Fuzz::check(store.Lies_Integer_aus_Registry(name) == integers.at(i),
                    "integers survive a write");
    }
    return 0;
}
