#include "app/form_start.h"
#include "storage/settings_store.h"
#include "support/fake_seam.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

// What the start hands to the main window at each of its endings; the
// messages themselves are proved through the window (tst_main_window_startup).
class TestFormStart : public QObject
{
    Q_OBJECT

private slots:
    void firstStartFillsEverything();
    void coloursAreTakenOnlyWhenStoredAndReadable();
    void zeroGapFollowsTheStoredFlag();
    void missingGalleryEndsBeforeTheColours();
    void vanishedLastFolderEndsAfterTheColours();
    void reportFolderThatCannotBeMadeIsLeftToTheReport();
    void chartFolderThatCannotBeMadeStillEnds();
};

namespace {

// One home per test; `prepared` runs the first start, which writes the store.
struct StartHome
{
    TempHome home;
    FakeSeam seam;
    SettingsStore settings{home.settingsFile()};

    explicit StartHome(bool prepared)
    {
        if (!prepared)
            return;
        run();
        seam.calls.clear();
    }

    StartPlaces run() { return FormStart(seam, nullptr, settings, home.workFolder()).run(); }
};

} // namespace

void TestFormStart::firstStartFillsEverything()
{
    StartHome h(false);
    const StartPlaces start = h.run();
    QCOMPARE(start.ending, StartPlaces::Ending::None);
    QVERIFY(!start.endedAtStart());
    QCOMPARE(start.startFolder, h.home.workFolder());
    QCOMPARE(start.dataFolder, h.home.workFolder());
    QCOMPARE(start.galleryFolder, h.home.workFolder() + "Blutdruck-Daten-Galerie/");
    QVERIFY(QFileInfo(start.galleryFolder).isDir());
    QVERIFY(QFileInfo(start.htmlFolder).isDir());
    QVERIFY(QFileInfo(start.reportFolder).isDir());
    QCOMPARE(start.windowColour, std::optional<qint32>(410617));
    QVERIFY(start.zeroGap);
    QCOMPARE(h.settings.read(SettingKey::Browser), "standard");
    QCOMPARE(h.seam.calls.size(), 0);
}

void TestFormStart::coloursAreTakenOnlyWhenStoredAndReadable()
{
    StartHome h(true);
    h.settings.write(SettingKey::SystolicColour, "255");
    h.settings.write(SettingKey::DiastolicColour, QString());
    h.settings.write(SettingKey::PulseColour, "blau");
    h.settings.write(SettingKey::ListColour, "0");
    h.settings.write(SettingKey::WindowColour, "12x");

    const StartPlaces start = h.run();
    QCOMPARE(start.systolicColour, std::optional<qint32>(255));
    QCOMPARE(start.diastolicColour, std::nullopt);
    QCOMPARE(start.pulseColour, std::nullopt);
    QCOMPARE(start.listColour, std::optional<qint32>(0));
    QCOMPARE(start.windowColour, std::nullopt);
    QCOMPARE(start.ending, StartPlaces::Ending::None);
    QCOMPARE(h.seam.calls.size(), 0);
}

void TestFormStart::zeroGapFollowsTheStoredFlag()
{
    StartHome h(true);
    h.settings.writeInteger(SettingKey::BreakLineAtZero, "0");
    QVERIFY(!h.run().zeroGap);
    h.settings.writeInteger(SettingKey::BreakLineAtZero, "1");
    QVERIFY(h.run().zeroGap);
    h.settings.writeInteger(SettingKey::BreakLineAtZero, "2");
    QVERIFY(!h.run().zeroGap);
}

void TestFormStart::missingGalleryEndsBeforeTheColours()
{
    StartHome h(true);
    const QString blocked = h.home.root() + "/blockiert/";
    TempHome::writeFile(h.home.root() + "/blockiert", "kein Ordner");
    h.settings.write(SettingKey::DataFolder, blocked);
    h.settings.write(SettingKey::SystolicColour, "255");

    const StartPlaces start = h.run();
    QCOMPARE(start.ending, StartPlaces::Ending::FoldersMissing);
    QVERIFY(start.endedAtStart());
    QCOMPARE(h.seam.endProgramCount, 1);
    QCOMPARE(start.dataFolder, blocked);
    QCOMPARE(start.galleryFolder, blocked + "Blutdruck-Daten-Galerie/");
    QCOMPARE(start.htmlFolder, QString());
    QCOMPARE(start.systolicColour, std::nullopt);
    QCOMPARE(h.seam.texts("plain").size(), 1);
    QCOMPARE(h.seam.texts("information").size(), 1);
}

void TestFormStart::vanishedLastFolderEndsAfterTheColours()
{
    StartHome h(true);
    h.settings.write(SettingKey::SystolicColour, "255");
    h.settings.writeInteger(SettingKey::BreakLineAtZero, "0");
    h.settings.write(SettingKey::LastMonthFile, h.home.root() + "/Weg/2017/Muster_03_2017.tab");

    const StartPlaces start = h.run();
    QCOMPARE(start.ending, StartPlaces::Ending::LastFolderMissing);
    QCOMPARE(h.seam.endProgramCount, 1);
    QCOMPARE(start.systolicColour, std::optional<qint32>(255));
    QVERIFY(!start.zeroGap);
    QVERIFY(QFileInfo(start.reportFolder).isDir());
    QCOMPARE(h.seam.texts("information").size(), 2);
    QVERIFY(!QFileInfo::exists(h.home.settingsFile()));
}

void TestFormStart::reportFolderThatCannotBeMadeIsLeftToTheReport()
{
    StartHome h(true);
    const QString folder = h.home.workFolder() + "Blutdruck-Arztberichte";
    QVERIFY(QDir(folder).removeRecursively());
    TempHome::writeFile(folder, "kein Ordner");
    h.settings.write(SettingKey::SystolicColour, "255");

    const StartPlaces start = h.run();
    QCOMPARE(start.ending, StartPlaces::Ending::None);
    QCOMPARE(h.seam.calls.size(), 0);
    QCOMPARE(start.reportFolder, folder + "/");
    QVERIFY(!QFileInfo(start.reportFolder).isDir());
    // The steps after the folders ran.
    QCOMPARE(start.systolicColour, std::optional<qint32>(255));
    QVERIFY(QFileInfo(start.htmlFolder).isDir());
}

void TestFormStart::chartFolderThatCannotBeMadeStillEnds()
{
    StartHome h(true);
    const QString folder = h.home.workFolder() + "Blutdruck-Daten im Browser";
    QVERIFY(QDir(folder).removeRecursively());
    TempHome::writeFile(folder, "kein Ordner");

    const StartPlaces start = h.run();
    QCOMPARE(start.ending, StartPlaces::Ending::FoldersMissing);
    QCOMPARE(h.seam.endProgramCount, 1);
    QCOMPARE(h.seam.texts("plain"),
             QStringList{"Ordner \"Blutdruck-Daten im Browser/\" konnte nicht erstellt werden! "});
    QCOMPARE(h.seam.texts("information"),
             QStringList{"Ordner: " + folder + "/\" existiert nicht!  Das Programm wird beendet."});
    QCOMPARE(start.reportFolder, QString());
}

QTEST_MAIN(TestFormStart)
#include "tst_form_start.moc"
