#include "base/text_file.h"

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

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_text_file.moc"
