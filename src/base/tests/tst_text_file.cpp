#include "base/text_file.h"
#include "base/windows1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

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

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_text_file.moc"
