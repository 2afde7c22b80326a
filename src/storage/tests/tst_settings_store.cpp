#include "storage/settings_store.h"
#include "base/conversion_error.h"
#include "base/text_file.h"
#include "support/temp_home.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

struct Expected
{
    const char *name;
    bool isInteger;
    QString value;
};

QList<Expected> firstRunValues(const QString &startFolder)
{
    return {
        {"InstallOrt", false, startFolder},
        {"DatenSpeicherOrt", false, startFolder},
        {"BenutzerName", false, QString()},
        {"TabellenDateiName", false, QString()},
        {"UhrzeitMorgens", false, "07:30"},
        {"UhrzeitMessung2", false, "13:00"},
        {"UhrzeitMessung3", false, "15:30"},
        {"UhrzeitAbends", false, "20:40"},
        {"GalerieVerzeichnisName", false, "Blutdruck-Daten-Galerie"},
        {"HtmlVerzeichnisName", false, "Blutdruck-Daten im Browser"},
        {"SystolischKurvenFarbe", false, "16711680"},
        {"DiastolischKurvenFarbe", false, "32768"},
        {"PulsKurvenFarbe", false, "8388863"},
        {"FormFarbe", false, "410617"},
        {"ListboxFarbe", false, "6786300"},
        {"Browser", false, "standard"},
        {"LinieBeiNullUnterbrechen", true, "1"},
        {"WerteOberhalbKurveAnzeigen", true, "1"},
        {"DatenwerteOberhalbFarbe", false, "128"},
    };
}

// Names of the values in the order they stand in the file.
QStringList namesInFile(const QString &path)
{
    QStringList names;
    const QList<QByteArray> lines = TempHome::readFile(path).split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith('"'))
            names << QString::fromUtf8(line.mid(1, line.indexOf('"', 1) - 1));
    }
    return names;
}

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void firstRunWritesNineteenTypedValuesInOrder();
    void firstRunOverwritesUserValues();
    void absentStoreReadsEmptyAndDropsWrites();
    void deleteRemovesTheWholeStore();
    void flagsAndColours();
    void valuesSurviveQuotesAndBackslashes();
    void damagedFileReadsAsMissing();
    void integerWriterRefusesText();
    void unchangedValueIsNotWrittenAgain();
};

void TestSettingsStore::firstRunWritesNineteenTypedValuesInOrder()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    QVERIFY(!store.exists());
    store.Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege(home.workFolder());
    QVERIFY(store.exists());

    const QList<Expected> expected = firstRunValues(home.workFolder());
    QStringList expectedNames;
    for (const Expected &value : expected) {
        expectedNames << QString::fromLatin1(value.name);
        const QString name = QString::fromLatin1(value.name);
        // The types stay apart: a string never reads as an integer and back.
        if (value.isInteger) {
            QCOMPARE(store.Lies_Integer_aus_Registry(name), value.value);
            QCOMPARE(store.Lies_String_aus_Registry(name), QString());
        } else {
            QCOMPARE(store.Lies_String_aus_Registry(name), value.value);
            QCOMPARE(store.Lies_Integer_aus_Registry(name), QString());
        }
    }
    QCOMPARE(namesInFile(home.settingsFile()), expectedNames);
    QCOMPARE(SettingsStore::valueNames(), expectedNames);
    // The two empty strings exist as values.
    const QByteArray bytes = TempHome::readFile(home.settingsFile());
    QVERIFY(bytes.contains("\"BenutzerName\"=\"\"\n"));
    QVERIFY(bytes.contains("\"TabellenDateiName\"=\"\"\n"));
}

void TestSettingsStore::firstRunOverwritesUserValues()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege(home.workFolder());
    store.Schreib_String_in_Registry("InstallOrt", QString());
    store.Schreib_String_in_Registry("FormFarbe", "255");
    store.Schreib_String_in_Registry("UhrzeitAbends", "21:10");
    store.Schreib_Integer_in_Registry("LinieBeiNullUnterbrechen", "0");
    QCOMPARE(store.Lies_String_aus_Registry("FormFarbe"), QStringLiteral("255"));

    store.Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege("/elsewhere/");
    QCOMPARE(store.Lies_String_aus_Registry("InstallOrt"), QStringLiteral("/elsewhere/"));
    QCOMPARE(store.Lies_String_aus_Registry("FormFarbe"), QStringLiteral("410617"));
    QCOMPARE(store.Lies_String_aus_Registry("UhrzeitAbends"), QStringLiteral("20:40"));
    QCOMPARE(store.Lies_Integer_aus_Registry("LinieBeiNullUnterbrechen"), QStringLiteral("1"));
    QCOMPARE(namesInFile(home.settingsFile()).size(), 19);
}

void TestSettingsStore::absentStoreReadsEmptyAndDropsWrites()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.Schreib_String_in_Registry("BenutzerName", "Muster");
    store.Schreib_Integer_in_Registry("LinieBeiNullUnterbrechen", "1");
    QVERIFY(!QFileInfo::exists(home.settingsFile()));
    QCOMPARE(store.Lies_String_aus_Registry("BenutzerName"), QString());
    QCOMPARE(store.Lies_Integer_aus_Registry("LinieBeiNullUnterbrechen"), QString());
    QVERIFY(!store.readFlag("LinieBeiNullUnterbrechen"));
}

void TestSettingsStore::deleteRemovesTheWholeStore()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege(home.workFolder());
    store.deleteStore();
    QVERIFY(!QFileInfo::exists(home.settingsFile()));
    QVERIFY(QFileInfo(QFileInfo(home.settingsFile()).absolutePath()).isDir()); // "Quenlor" stays
    // Writes after the delete are lost, as the closing window's write is.
    store.Schreib_String_in_Registry("TabellenDateiName", "/x/Muster_03_2017.tab");
    QVERIFY(!QFileInfo::exists(home.settingsFile()));
    QCOMPARE(store.Lies_String_aus_Registry("InstallOrt"), QString());
    store.deleteStore(); // deleting an absent store is harmless
}

void TestSettingsStore::flagsAndColours()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege(home.workFolder());
    QVERIFY(store.readFlag("LinieBeiNullUnterbrechen"));
    store.Schreib_Integer_in_Registry("LinieBeiNullUnterbrechen", "0");
    QVERIFY(!store.readFlag("LinieBeiNullUnterbrechen"));
    QVERIFY(!store.readFlag("GibtEsNicht"));

    QCOMPARE(store.readColour("PulsKurvenFarbe"), std::optional<qint32>(8388863));
    store.Schreib_String_in_Registry("PulsKurvenFarbe", QString());
    QCOMPARE(store.readColour("PulsKurvenFarbe"), std::nullopt);
    // A system colour (top bit set) round-trips as its negative decimal text.
    store.Schreib_String_in_Registry("FormFarbe", "-16777201");
    QCOMPARE(store.readColour("FormFarbe"), std::optional<qint32>(-16777201));
    store.Schreib_String_in_Registry("FormFarbe", "blau");
    QVERIFY_THROWS_EXCEPTION(ConversionError, store.readColour("FormFarbe"));

    store.Schreib_Integer_in_Registry("WerteOberhalbKurveAnzeigen", "-1");
    QCOMPARE(store.Lies_Integer_aus_Registry("WerteOberhalbKurveAnzeigen"), QStringLiteral("-1"));
}

void TestSettingsStore::valuesSurviveQuotesAndBackslashes()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege(home.workFolder());
    const QString awkward = QStringLiteral("C:\\Daten \"alt\"\r\nzweite Zeile ÄÖÜß");
    store.Schreib_String_in_Registry("TabellenDateiName", awkward);
    QCOMPARE(store.Lies_String_aus_Registry("TabellenDateiName"), awkward);
    QCOMPARE(store.Lies_String_aus_Registry("BenutzerName"), QString());
    QCOMPARE(namesInFile(home.settingsFile()).size(), 19);
}

void TestSettingsStore::damagedFileReadsAsMissing()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege(home.workFolder());
    QByteArray bytes = TempHome::readFile(home.settingsFile());
    // Cut a value in the middle of its quotes, damage an integer, add junk.
    bytes.replace("\"UhrzeitAbends\"=\"20:40\"", "\"UhrzeitAbends\"=\"20:4");
    bytes.replace("dword:00000001\n\"DatenwerteOberhalbFarbe\"",
                  "dword:zz\n\"DatenwerteOberhalbFarbe\"");
    static const char junk[] = "\x00\xff\xfe\"\"=\n\"Kaputt\n";
    bytes.append(QByteArray(junk, sizeof junk - 1));
    TempHome::writeFile(home.settingsFile(), bytes);

    QCOMPARE(store.Lies_String_aus_Registry("UhrzeitAbends"), QString());
    QCOMPARE(store.Lies_Integer_aus_Registry("WerteOberhalbKurveAnzeigen"), QString());
    QCOMPARE(store.Lies_String_aus_Registry("UhrzeitMessung3"), QStringLiteral("15:30"));
    QCOMPARE(store.Lies_String_aus_Registry("DatenwerteOberhalbFarbe"), QStringLiteral("128"));

    // The readable values survive the next write; the damaged one can be written again.
    store.Schreib_String_in_Registry("UhrzeitAbends", "21:00");
    QCOMPARE(store.Lies_String_aus_Registry("UhrzeitAbends"), QStringLiteral("21:00"));
    QCOMPARE(store.Lies_String_aus_Registry("InstallOrt"), home.workFolder());

    // Pure junk: every value is missing, nothing crashes.
    TempHome::writeFile(home.settingsFile(), QByteArray(4096, '\xff'));
    QCOMPARE(store.Lies_String_aus_Registry("InstallOrt"), QString());
}

void TestSettingsStore::integerWriterRefusesText()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege(home.workFolder());
    try {
        store.Schreib_Integer_in_Registry("LinieBeiNullUnterbrechen", "ja");
        QFAIL("no conversion error");
    } catch (const ConversionError &error) {
        QCOMPARE(error.message(), QStringLiteral("'ja' ist kein gültiger Integerwert"));
    }
    QCOMPARE(store.Lies_Integer_aus_Registry("LinieBeiNullUnterbrechen"), QStringLiteral("1"));
}

void TestSettingsStore::unchangedValueIsNotWrittenAgain()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege(home.workFolder());
    int writes = 0;
    TextFile::setWriteFaultForTesting([&writes](const QString &) {
        ++writes;
        return true;
    });
    store.Schreib_String_in_Registry("UhrzeitMorgens", "07:30");
    store.Schreib_Integer_in_Registry("LinieBeiNullUnterbrechen", "1");
    QCOMPARE(writes, 0);
    // The same text with the other type is a change.
    store.Schreib_Integer_in_Registry("UhrzeitAbends", "2040");
    store.Schreib_String_in_Registry("UhrzeitMorgens", "07:35");
    TextFile::setWriteFaultForTesting({});
    QCOMPARE(writes, 2);
    QCOMPARE(store.Lies_Integer_aus_Registry("UhrzeitAbends"), QStringLiteral("2040"));
    QCOMPARE(store.Lies_String_aus_Registry("UhrzeitMorgens"), QStringLiteral("07:35"));
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settings_store.moc"
