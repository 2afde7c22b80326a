#include "base/conversion_error.h"
#include "base/text_file.h"
#include "storage/settings_store.h"
#include "storage/settings_values.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <functional>

namespace {

struct Expected
{
    SettingKey key;
    const char *name;
    bool isInteger;
    QString value;
};

QList<Expected> firstRunValues(const QString &startFolder)
{
    return {
        {SettingKey::InstallFolder, "InstallOrt", false, startFolder},
        {SettingKey::DataFolder, "DatenSpeicherOrt", false, startFolder},
        {SettingKey::UserName, "BenutzerName", false, QString()},
        {SettingKey::LastMonthFile, "TabellenDateiName", false, QString()},
        {SettingKey::MorningTime, "UhrzeitMorgens", false, "07:30"},
        {SettingKey::SecondTime, "UhrzeitMessung2", false, "13:00"},
        {SettingKey::ThirdTime, "UhrzeitMessung3", false, "15:30"},
        {SettingKey::EveningTime, "UhrzeitAbends", false, "20:40"},
        {SettingKey::GalleryFolderName, "GalerieVerzeichnisName", false, "Blutdruck-Daten-Galerie"},
        {SettingKey::HtmlFolderName, "HtmlVerzeichnisName", false, "Blutdruck-Daten im Browser"},
        {SettingKey::SystolicColour, "SystolischKurvenFarbe", false, "16711680"},
        {SettingKey::DiastolicColour, "DiastolischKurvenFarbe", false, "32768"},
        {SettingKey::PulseColour, "PulsKurvenFarbe", false, "8388863"},
        {SettingKey::WindowColour, "FormFarbe", false, "410617"},
        {SettingKey::ListColour, "ListboxFarbe", false, "6786300"},
        {SettingKey::Browser, "Browser", false, "standard"},
        {SettingKey::BreakLineAtZero, "LinieBeiNullUnterbrechen", true, "1"},
        {SettingKey::ShowValuesAboveCurve, "WerteOberhalbKurveAnzeigen", true, "1"},
        {SettingKey::ValuesAboveColour, "DatenwerteOberhalbFarbe", false, "128"},
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

// What the program reads of one value: string, integer, flag and colour (or
// that the colour throws).
QString readingOf(const QString &text, const QString &integer, bool flag,
                  const std::function<std::optional<qint32>()> &colour)
{
    QString colourText;
    try {
        const std::optional<qint32> value = colour();
        colourText = value ? QString::number(*value) : QStringLiteral("none");
    } catch (const ConversionError &) {
        colourText = QStringLiteral("error");
    }
    return text + u'|' + integer + u'|' + QString::number(flag) + u'|' + colourText;
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
    void bytesReadAsTheFileReads_data();
    void bytesReadAsTheFileReads();
    void valueLinesInMemory();
    void writtenBytesInMemory();
    void slotTimesFollowTheSlots();
    void firstRunValuesReadByTheirKeys();
};

void TestSettingsStore::firstRunWritesNineteenTypedValuesInOrder()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    QVERIFY(!store.exists());
    store.writeFirstRunValues(home.workFolder());
    QVERIFY(store.exists());

    const QList<Expected> expected = firstRunValues(home.workFolder());
    QStringList expectedNames;
    QStringList keyNames;
    for (const Expected &value : expected) {
        expectedNames << QString::fromLatin1(value.name);
        QCOMPARE(settingName(value.key), QString::fromLatin1(value.name));
        QCOMPARE(isIntegerSetting(value.key), value.isInteger);
        // The types stay apart: a string never reads as an integer and back.
        if (value.isInteger) {
            QCOMPARE(store.readInteger(value.key), value.value);
            QCOMPARE(store.read(value.key), QString());
        } else {
            QCOMPARE(store.read(value.key), value.value);
            QCOMPARE(store.readInteger(value.key), QString());
        }
    }
    for (SettingKey key : kAllSettingKeys)
        keyNames << settingName(key);
    QCOMPARE(namesInFile(home.settingsFile()), expectedNames);
    QCOMPARE(keyNames, expectedNames);
    // The two empty strings exist as values.
    const QByteArray bytes = TempHome::readFile(home.settingsFile());
    QVERIFY(bytes.contains("\"BenutzerName\"=\"\"\n"));
    QVERIFY(bytes.contains("\"TabellenDateiName\"=\"\"\n"));
}

void TestSettingsStore::firstRunOverwritesUserValues()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.writeFirstRunValues(home.workFolder());
    store.write(SettingKey::InstallFolder, QString());
    store.write(SettingKey::WindowColour, "255");
    store.write(SettingKey::EveningTime, "21:10");
    store.writeInteger(SettingKey::BreakLineAtZero, "0");
    QCOMPARE(store.read(SettingKey::WindowColour), QStringLiteral("255"));

    store.writeFirstRunValues("/elsewhere/");
    QCOMPARE(store.read(SettingKey::InstallFolder), QStringLiteral("/elsewhere/"));
    QCOMPARE(store.read(SettingKey::WindowColour), QStringLiteral("410617"));
    QCOMPARE(store.read(SettingKey::EveningTime), QStringLiteral("20:40"));
    QCOMPARE(store.readInteger(SettingKey::BreakLineAtZero), QStringLiteral("1"));
    QCOMPARE(namesInFile(home.settingsFile()).size(), 19);
}

void TestSettingsStore::absentStoreReadsEmptyAndDropsWrites()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.write(SettingKey::UserName, "Muster");
    store.writeInteger(SettingKey::BreakLineAtZero, "1");
    QVERIFY(!QFileInfo::exists(home.settingsFile()));
    QCOMPARE(store.read(SettingKey::UserName), QString());
    QCOMPARE(store.readInteger(SettingKey::BreakLineAtZero), QString());
    QVERIFY(!store.readFlag(SettingKey::BreakLineAtZero));
}

void TestSettingsStore::deleteRemovesTheWholeStore()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.writeFirstRunValues(home.workFolder());
    store.deleteStore();
    QVERIFY(!QFileInfo::exists(home.settingsFile()));
    QVERIFY(QFileInfo(QFileInfo(home.settingsFile()).absolutePath()).isDir()); // "Quenlor" stays
    // Writes after the delete are lost, as the closing window's write is.
    store.write(SettingKey::LastMonthFile, "/x/Muster_03_2017.tab");
    QVERIFY(!QFileInfo::exists(home.settingsFile()));
    QCOMPARE(store.read(SettingKey::InstallFolder), QString());
    store.deleteStore(); // deleting an absent store is harmless
}

void TestSettingsStore::flagsAndColours()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.writeFirstRunValues(home.workFolder());
    QVERIFY(store.readFlag(SettingKey::BreakLineAtZero));
    store.writeInteger(SettingKey::BreakLineAtZero, "0");
    QVERIFY(!store.readFlag(SettingKey::BreakLineAtZero));

    QCOMPARE(store.readColour(SettingKey::PulseColour), std::optional<qint32>(8388863));
    store.write(SettingKey::PulseColour, QString());
    QCOMPARE(store.readColour(SettingKey::PulseColour), std::nullopt);
    // A system colour (top bit set) round-trips as its negative decimal text.
    store.write(SettingKey::WindowColour, "-16777201");
    QCOMPARE(store.readColour(SettingKey::WindowColour), std::optional<qint32>(-16777201));
    store.write(SettingKey::WindowColour, "blau");
    QVERIFY_THROWS_EXCEPTION(ConversionError, store.readColour(SettingKey::WindowColour));

    store.writeInteger(SettingKey::ShowValuesAboveCurve, "-1");
    QCOMPARE(store.readInteger(SettingKey::ShowValuesAboveCurve), QStringLiteral("-1"));
}

void TestSettingsStore::valuesSurviveQuotesAndBackslashes()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.writeFirstRunValues(home.workFolder());
    const QString awkward = QStringLiteral("C:\\Daten \"alt\"\r\nzweite Zeile ÄÖÜß");
    store.write(SettingKey::LastMonthFile, awkward);
    QCOMPARE(store.read(SettingKey::LastMonthFile), awkward);
    QCOMPARE(store.read(SettingKey::UserName), QString());
    QCOMPARE(namesInFile(home.settingsFile()).size(), 19);
}

void TestSettingsStore::damagedFileReadsAsMissing()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.writeFirstRunValues(home.workFolder());
    QByteArray bytes = TempHome::readFile(home.settingsFile());
    // Cut a value in the middle of its quotes, damage an integer, add junk.
    bytes.replace("\"UhrzeitAbends\"=\"20:40\"", "\"UhrzeitAbends\"=\"20:4");
    bytes.replace("dword:00000001\n\"DatenwerteOberhalbFarbe\"",
                  "dword:zz\n\"DatenwerteOberhalbFarbe\"");
    static const char junk[] = "\x00\xff\xfe\"\"=\n\"Kaputt\n";
    bytes.append(QByteArray(junk, sizeof junk - 1));
    TempHome::writeFile(home.settingsFile(), bytes);

    QCOMPARE(store.read(SettingKey::EveningTime), QString());
    QCOMPARE(store.readInteger(SettingKey::ShowValuesAboveCurve), QString());
    QCOMPARE(store.read(SettingKey::ThirdTime), QStringLiteral("15:30"));
    QCOMPARE(store.read(SettingKey::ValuesAboveColour), QStringLiteral("128"));

    // The readable values survive the next write; the damaged one can be written again.
    store.write(SettingKey::EveningTime, "21:00");
    QCOMPARE(store.read(SettingKey::EveningTime), QStringLiteral("21:00"));
    QCOMPARE(store.read(SettingKey::InstallFolder), home.workFolder());

    // Pure junk: every value is missing, nothing crashes.
    TempHome::writeFile(home.settingsFile(), QByteArray(4096, '\xff'));
    QCOMPARE(store.read(SettingKey::InstallFolder), QString());
}

void TestSettingsStore::integerWriterRefusesText()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.writeFirstRunValues(home.workFolder());
    try {
        store.writeInteger(SettingKey::BreakLineAtZero, "ja");
        QFAIL("no conversion error");
    } catch (const ConversionError &error) {
        QCOMPARE(error.message(), QStringLiteral("'ja' ist kein gültiger Integerwert"));
    }
    QCOMPARE(store.readInteger(SettingKey::BreakLineAtZero), QStringLiteral("1"));
}

void TestSettingsStore::unchangedValueIsNotWrittenAgain()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.writeFirstRunValues(home.workFolder());
    int writes = 0;
    TextFile::setWriteFaultForTesting([&writes](const QString &) {
        ++writes;
        return true;
    });
    store.write(SettingKey::MorningTime, "07:30");
    store.writeInteger(SettingKey::BreakLineAtZero, "1");
    QCOMPARE(writes, 0);
    // The same text with the other type is a change.
    store.writeInteger(SettingKey::EveningTime, "2040");
    store.write(SettingKey::MorningTime, "07:35");
    TextFile::setWriteFaultForTesting({});
    QCOMPARE(writes, 2);
    QCOMPARE(store.readInteger(SettingKey::EveningTime), QStringLiteral("2040"));
    QCOMPARE(store.read(SettingKey::MorningTime), QStringLiteral("07:35"));
}

void TestSettingsStore::bytesReadAsTheFileReads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QDir samples(QStringLiteral(VANTORIA_TEST_DATA_DIR "/bad/settings"));
    const QStringList files = samples.entryList({QStringLiteral("*.conf")}, QDir::Files);
    QVERIFY(files.size() >= 2);
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << TempHome::readFile(samples.filePath(file));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("crlf, duplicate in other case, dword limits")
        << QByteArray("[HKEY_CURRENT_USER\\Software\\Quenlor\\Vantoria]\r\n"
                      "\"FormFarbe\"=\"1\"\r\n\"formfarbe\"=\"-2147483633\"\r\n"
                      "\"LinieBeiNullUnterbrechen\"=dword:ffffffff\r"
                      "\"WerteOberhalbKurveAnzeigen\"=dword:1000000\n"
                      "\"ListboxFarbe\"=\"2147483648\"\n\"BenutzerName\"=\"Jürgen\"");
}

// The bytes in memory give every value exactly as the same bytes in the file.
void TestSettingsStore::bytesReadAsTheFileReads()
{
    QFETCH(QByteArray, bytes);
    TempHome home;
    TempHome::writeFile(home.settingsFile(), bytes);
    const SettingsStore store(home.settingsFile());
    const SettingsValues values = SettingsValues::fromBytes(bytes);
    for (SettingKey key : kAllSettingKeys) {
        const QString name = settingName(key);
        QCOMPARE(readingOf(values.string(name), values.integer(name), values.flag(name),
                           [&] { return values.colour(name); }),
                 readingOf(store.read(key), store.readInteger(key), store.readFlag(key),
                           [&] { return store.readColour(key); }));
    }
}

void TestSettingsStore::valueLinesInMemory()
{
    const SettingsValues values = SettingsValues::fromBytes(
        "\"A\"=dword:0000000a\n\"B\"=dword:000000001\n\"C\"=dword:0000001\n"
        "\"D\"=dword:80000000\n\"E\"=\"x\" \n\"\"=\"leer\"\n\"F\"=\"a\\\\b\\\"c\\nd\\re\"\n"
        "\"a\"=\"zweites A\"\n \"G\"=\"1\"\n\"H\" = \"1\"\n\"I\"=\"ÄÖÜß\"");
    // A later "a" replaces "A" and takes its type; exactly eight hex digits.
    QCOMPARE(values.string(QStringLiteral("A")), QStringLiteral("zweites A"));
    QCOMPARE(values.integer(QStringLiteral("A")), QString());
    QVERIFY(!values.find(QStringLiteral("B")));
    QVERIFY(!values.find(QStringLiteral("C")));
    QCOMPARE(values.integer(QStringLiteral("D")), QStringLiteral("-2147483648"));
    QVERIFY(!values.find(QStringLiteral("E"))); // text behind the closing quote
    QVERIFY(!values.find(QString()));
    QCOMPARE(values.string(QStringLiteral("f")), QStringLiteral("a\\b\"c\nd\re"));
    QVERIFY(!values.find(QStringLiteral("G"))); // a line starts with its quote
    QVERIFY(!values.find(QStringLiteral("H")));
    QCOMPARE(values.string(QStringLiteral("I")), QStringLiteral("ÄÖÜß"));
    QCOMPARE(values.values().size(), 4);
}

// A write through the store leaves exactly the bytes the values in memory give.
void TestSettingsStore::writtenBytesInMemory()
{
    TempHome home;
    const SettingsStore store(home.settingsFile());
    TempHome::writeFile(
        home.settingsFile(),
        "\"fremd\"=\"1\"\r\n\"formfarbe\"=\"5\"\n\"LinieBeiNullUnterbrechen\"=\"1\"");
    SettingsValues values = SettingsValues::fromBytes(TempHome::readFile(home.settingsFile()));
    QVERIFY(!values.set(QStringLiteral("FormFarbe"), false, QStringLiteral("5")));
    QVERIFY(values.set(QStringLiteral("FormFarbe"), false, QStringLiteral("255")));
    QVERIFY(values.set(QStringLiteral("LinieBeiNullUnterbrechen"), true, QStringLiteral("-1")));
    QVERIFY(values.set(QStringLiteral("Browser"), false, QStringLiteral("a\"b")));
    store.write(SettingKey::WindowColour, QStringLiteral("255"));
    store.writeInteger(SettingKey::BreakLineAtZero, QStringLiteral("-1"));
    store.write(SettingKey::Browser, QStringLiteral("a\"b"));
    const QByteArray expected = "[HKEY_CURRENT_USER\\Software\\Quenlor\\Vantoria]\n"
                                "\"fremd\"=\"1\"\n\"formfarbe\"=\"255\"\n"
                                "\"LinieBeiNullUnterbrechen\"=dword:ffffffff\n"
                                "\"Browser\"=\"a\\\"b\"\n";
    QCOMPARE(values.toBytes(), expected);
    QCOMPARE(TempHome::readFile(home.settingsFile()), expected);
}

void TestSettingsStore::slotTimesFollowTheSlots()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.writeFirstRunValues(home.workFolder());
    QStringList times;
    for (Slot slot : kAllSlots)
        times << store.read(timeSettingOf(slot));
    QCOMPARE(times, QStringList({"07:30", "13:00", "15:30", "20:40"}));
    store.write(timeSettingOf(Slot::Third), QStringLiteral("16:05"));
    QCOMPARE(store.read(SettingKey::ThirdTime), QStringLiteral("16:05"));
    QCOMPARE(store.read(timeSettingOf(Slot::Evening)), QStringLiteral("20:40"));
}

// The first run writes every key; each reads back by its key, in its place
// in the file and with its type.
void TestSettingsStore::firstRunValuesReadByTheirKeys()
{
    TempHome home;
    SettingsStore store(home.settingsFile());
    store.writeFirstRunValues(home.workFolder());
    QCOMPARE(store.read(SettingKey::InstallFolder), home.workFolder());
    store.write(SettingKey::UserName, QStringLiteral("Muster"));
    QCOMPARE(store.read(SettingKey::UserName), QStringLiteral("Muster"));
    QCOMPARE(namesInFile(home.settingsFile()).at(2), QStringLiteral("BenutzerName"));
    QCOMPARE(store.readInteger(SettingKey::BreakLineAtZero), QStringLiteral("1"));
    QVERIFY(store.readFlag(SettingKey::ShowValuesAboveCurve));
    QCOMPARE(store.readColour(SettingKey::ListColour), std::optional<qint32>(6786300));
    store.deleteStore();
    QVERIFY(!store.readFlag(SettingKey::ShowValuesAboveCurve));
    QCOMPARE(store.readColour(SettingKey::ListColour), std::nullopt);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settings_store.moc"
