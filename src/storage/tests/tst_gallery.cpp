// Months of one user read for a period, as the report and the export need
// them: across a year end, with missing and unreadable months, and with
// other users' files beside them.
#include "storage/gallery.h"
#include "support/temp_home.h"

#include <QDir>
#include <QTest>

namespace {

QByteArray month(const char *user, const char *datum, std::initializer_list<const char *> lines)
{
    QByteArray text = QByteArray("[Personendaten]\r\nBenutzerName=") + user + "\r\nDatum=" + datum +
                      "\r\n1M=1\r\n2M=1\r\n3M=1\r\n4M=1\r\n\r\n";
    for (const char *line : lines)
        text += QByteArray(line) + "\r\n";
    return text;
}

} // namespace

class TestGallery : public QObject
{
    Q_OBJECT

private slots:
    void periodAcrossAYearEnd();
    void emptyPeriod();
};

void TestGallery::periodAcrossAYearEnd()
{
    TempHome home;
    const QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    TempHome::writeFile(gallery + "2016/Muster_12_2016.tab",
                        month("Muster", "Dezember 2016",
                              {"Abends den 31.12.2016 Z=20:40 s=150, d=95, p=70, Gewicht=0",
                               "Morgens den 31.12.2016 Z=07:30 s=140, d=90, p=70, Gewicht=80,5"}));
    TempHome::writeFile(gallery + "2016/Muster_12_2016.txt", "Silvester\r\n");
    TempHome::writeFile(gallery + "2017/Erika_01_2017.tab",
                        month("Erika", "Januar 2017",
                              {"Morgens den 01.01.2017 Z=07:30 s=120, d=80, p=60, Gewicht=0"}));
    QDir().mkpath(gallery + "2017/Muster_02_2017.tab"); // cannot be read as a file
    TempHome::writeFile(gallery + "2017/Muster_03_2017.tab",
                        month("Muster", "März 2017",
                              {"Morgens den 01.03.2017 Z=07:30 s=130, d=85, p=65, Gewicht=0",
                               "Abends den 02.03.2017 Z=20:40 s=abc, d=85, p=65, Gewicht=0"}));

    const QList<Gallery::Month> months = Gallery::readPeriod(
        gallery, QStringLiteral("Muster"), QDate(2016, 12, 15), QDate(2017, 3, 1));
    QCOMPARE(months.size(), 4);
    using State = Gallery::Month::State;
    QCOMPARE(months.at(0).state, State::Read);
    QCOMPARE(months.at(0).remark, QStringLiteral("Silvester"));
    QCOMPARE(months.at(1).state, State::Missing); // Erika's January is not Muster's
    QCOMPARE(months.at(2).state, State::Unreadable);
    QCOMPARE(months.at(3).state, State::Read);
    QCOMPARE(months.at(3).journal->unreadLines().size(), 1);

    const QList<Reading> readings = Gallery::readingsOf(months);
    QCOMPARE(readings.size(), 3);
    QCOMPARE(readings.at(0).slot, Slot::Morgens); // day and slot order, not file order
    QCOMPARE(readings.at(1).slot, Slot::Abends);
    QCOMPARE(readings.at(2).date, QDate(2017, 3, 1));
}

void TestGallery::emptyPeriod()
{
    TempHome home;
    QVERIFY(Gallery::readPeriod(home.workFolder(), QStringLiteral("Muster"), QDate(2017, 3, 1),
                                QDate(2017, 2, 28))
                .isEmpty());
}

QTEST_GUILESS_MAIN(TestGallery)
#include "tst_gallery.moc"
