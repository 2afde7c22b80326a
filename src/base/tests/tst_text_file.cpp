#include "base/text_file.h"
#include "base/windows1252.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

namespace {

// The text in UTF-16 of either byte order, without a mark.
QByteArray utf16(const QString &text, bool bigEndian)
{
    QByteArray bytes;
    for (const QChar c : text) {
        const auto high = char(c.unicode() >> 8);
        const auto low = char(c.unicode() & 0xFF);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void bytesInMemoryReadAsFromDisk_data();
    void bytesInMemoryReadAsFromDisk();
    void encodedLinesAreWhatTheWriteWrites_data();
    void encodedLinesAreWhatTheWriteWrites();
    void bytesBesideTheLatin1RangeAtEveryPlace();
    void markedFileIsWrittenBackInTheProgramsForm();
    void firstUnheldCharacter_data();
    void firstUnheldCharacter();
    void failedWritesSayWhyInGerman_data();
    void failedWritesSayWhyInGerman();
};

void TestTextFile::bytesInMemoryReadAsFromDisk_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("one break") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("CRLF, LF and CR")
        << QByteArray("a\r\nb\nc\rd\r\n") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("CR CR LF is two breaks") << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("LF far before the first CR")
        << QByteArray("a\nb\nc\r\nd\r") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("no final break") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("empty lines kept")
        << QByteArray("\r\n\r\na\r\n\r\n") << QStringList{"", "", "a", ""};
    QTest::newRow("umlaut, euro and bytes without a character")
        << QByteArray("M\xE4rz \x80 \x81\x8D\x8F\x90\x9D \x00 x\r\n", 18)
        << QStringList{QString::fromUtf8("März € ") + QChar(0x81) + QChar(0x8D) + QChar(0x8F) +
                       QChar(0x90) + QChar(0x9D) + QLatin1Char(' ') + QChar(0) +
                       QStringLiteral(" x")};

    // A byte-order mark names the encoding (as editors on Windows save a file).
    const QString month = QString::fromUtf8("[Personendaten]\r\nBenutzerName=Jürgen Łukasz\r\n"
                                            "Datum=März 2024\r\n");
    const QStringList monthLines{"[Personendaten]", QString::fromUtf8("BenutzerName=Jürgen Łukasz"),
                                 QString::fromUtf8("Datum=März 2024")};
    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF") + month.toUtf8() << monthLines;
    QTest::newRow("UTF-16LE mark") << QByteArray("\xFF\xFE") + utf16(month, false) << monthLines;
    QTest::newRow("UTF-16BE mark") << QByteArray("\xFE\xFF") + utf16(month, true) << monthLines;
    QTest::newRow("UTF-16LE mark alone") << QByteArray("\xFF\xFE") << QStringList();
    QTest::newRow("UTF-16LE with a final odd byte")
        << QByteArray("\xFF\xFE") + utf16(QStringLiteral("a\r\nb"), false) + 'c'
        << QStringList{"a", QStringLiteral("b") + QChar(QChar::ReplacementCharacter)};
    // One byte short of a mark, or a mark later in the file: Windows-1252.
    QTest::newRow("FF alone") << QByteArray("\xFFx\r\n") << QStringList{QString::fromUtf8("ÿx")};
    QTest::newRow("FF FD") << QByteArray("\xFF\xFDx") << QStringList{QString::fromUtf8("ÿýx")};
    QTest::newRow("FE FE") << QByteArray("\xFE\xFEx") << QStringList{QString::fromUtf8("þþx")};
    QTest::newRow("EF BB without BF")
        << QByteArray("\xEF\xBBx") << QStringList{QString::fromUtf8("ï»x")};
    QTest::newRow("mark after the first byte")
        << QByteArray("a\xFF\xFE") << QStringList{QString::fromUtf8("aÿþ")};
}

void TestTextFile::bytesInMemoryReadAsFromDisk()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(TextFile::decodeLines(bytes), lines);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("Muster_03_2017.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();
    const std::optional<QStringList> read = TextFile::readLines(path);
    QVERIFY(read);
    QCOMPARE(*read, lines);
}

void TestTextFile::encodedLinesAreWhatTheWriteWrites_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("nothing") << QStringList() << QByteArray();
    QTest::newRow("one empty line") << QStringList{""} << QByteArray("\r\n");
    QTest::newRow("break after the last line too")
        << QStringList{QString::fromUtf8("Grüße"), "", "x"}
        << QByteArray("Gr\xFC\xDF\x65\r\n\r\nx\r\n");
}

void TestTextFile::encodedLinesAreWhatTheWriteWrites()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    QCOMPARE(TextFile::encodeLines(lines), bytes);
    QCOMPARE(TextFile::decodeLines(bytes), lines);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("Muster_03_2017.txt");
    QVERIFY(TextFile::writeLines(path, lines));
    QCOMPARE(fileBytes(path), bytes);
}

// Files are searched eight bytes at a time for 0x80..0x9F, where Windows-1252
// differs from Latin-1: each of the range's first and last byte, and the
// bytes one step outside it, at every place of two words and a tail.
void TestTextFile::bytesBesideTheLatin1RangeAtEveryPlace()
{
    const std::pair<char, QChar> cases[] = {{'\x7F', QChar(0x7F)},
                                            {'\x80', QChar(0x20AC)},
                                            {'\x9F', QChar(0x0178)},
                                            {'\xA0', QChar(0xA0)}};
    for (const auto &[byte, character] : cases) {
        for (int place = 0; place < 19; ++place) {
            QByteArray bytes(19, 'a');
            bytes[place] = byte;
            QString expected(19, QLatin1Char('a'));
            expected[place] = character;
            QCOMPARE(Windows1252::decode(bytes), expected);
        }
    }
    QVERIFY(!Windows1252::decode(QByteArray()).isNull());
    QVERIFY(Windows1252::decode(QByteArray()).isEmpty());
}

void TestTextFile::markedFileIsWrittenBackInTheProgramsForm()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("Muster_03_2024.tab");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QString text = QString::fromUtf8("Datum=März 2024\nAbends den 01.03.2024 Z=20:00 s=1€0");
    file.write(QByteArray("\xFE\xFF") + utf16(text, true));
    file.close();
    const std::optional<QStringList> lines = TextFile::readLines(path);
    QVERIFY(lines);
    QVERIFY(TextFile::writeLines(path, *lines));
    QCOMPARE(fileBytes(path),
             QByteArray("Datum=M\xE4rz 2024\r\nAbends den 01.03.2024 Z=20:00 s=1\x80"
                        "0\r\n"));
}

void TestTextFile::firstUnheldCharacter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("unheld");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("Latin-1 and the euro") << QString::fromUtf8("Jürgen ÿ € ‰ Œ ž Ÿ") << QString();
    QTest::newRow("a question mark of its own") << QStringLiteral("wer?") << QString();
    QTest::newRow("the five bytes without a character")
        << QString(QChar(0x81)) + QChar(0x8D) + QChar(0x8F) + QChar(0x90) + QChar(0x9D)
        << QString();
    QTest::newRow("first of two") << QString::fromUtf8("Ewa Łódź") << QString::fromUtf8("Ł");
    QTest::newRow("just above Latin-1") << QString(QChar(0x100)) << QString(QChar(0x100));
    QTest::newRow("beside the euro") << QString(QChar(0x20AB)) << QString(QChar(0x20AB));
    QTest::newRow("beyond the basic plane")
        << QString::fromUtf8("gut \U0001F600!") << QString::fromUtf8("\U0001F600");
    QTest::newRow("lone surrogate")
        << QStringLiteral("a") + QChar(0xD800) << QString(QChar(0xD800));
}

void TestTextFile::firstUnheldCharacter()
{
    QFETCH(QString, text);
    QFETCH(QString, unheld);
    QCOMPARE(Windows1252::firstUnheld(text), unheld);
    // Exactly where the write would put a question mark of its own.
    QCOMPARE(Windows1252::encode(text).count('?') > text.count(QLatin1Char('?')),
             !unheld.isEmpty());
}

void TestTextFile::failedWritesSayWhyInGerman_data()
{
    QTest::addColumn<QString>("place"); // below the temporary folder
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << "fehlt/Muster_03_2017.tab"
                                    << "Der Ordner existiert nicht.";
    QTest::newRow("file in the path") << "Datei/Muster_03_2017.tab"
                                      << "Ein Teil des Pfades ist eine Datei und kein Ordner.";
    QTest::newRow("folder in the file's place") << "Ordner"
                                                << "An dieser Stelle liegt ein Ordner.";
}

void TestTextFile::failedWritesSayWhyInGerman()
{
    QFETCH(QString, place);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Ordner")));
    QFile blocker(dir.filePath(QStringLiteral("Datei")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    QVERIFY(!TextFile::writeLines(dir.filePath(place), {QStringLiteral("x")}, &error));
    QCOMPARE(error, reason);
    QCOMPARE(TextFile::writeFailureReason(ENOSPC),
             QStringLiteral("Auf dem Datenträger ist nicht genügend Speicherplatz."));
    QCOMPARE(TextFile::writeFailureReason(EACCES),
             QStringLiteral("Sie haben keine Berechtigung, in diesem Ordner zu schreiben."));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_text_file.moc"
