// The settings dialog as the main window uses it: colours apply at once, a
// series colour saves and reloads the month, the next chart page shows it.
#include "main_form_fixture.h"
#include "settings/gui/einstell.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

class TestMainWindowSettings : public QObject
{
    Q_OBJECT

private slots:
    void seriesColourWithEmptyListWritesNoFile();
    void seriesColourReachesTheNextChartPage();
    void windowAndListColourApplyAtOnce();
};

namespace {

void clickButton(TMainForm &form, const char *name)
{
    form.findChild<TEinstellDlg *>()->findChild<QPushButton *>(QLatin1String(name))->click();
}

QString yearFolderListing(const FormFixture &f, const QString &year)
{
    return QDir(f.gallery() + year).entryList(QDir::Files).join(QLatin1Char(','));
}

} // namespace

void TestMainWindowSettings::seriesColourWithEmptyListWritesNoFile()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    QCOMPARE(f.list()->count(), 0);
    f.seam.colourAnswers = {QColor(255, 0, 0)};
    clickButton(form, "Button1"); // systolic colour
    QCOMPARE(form.settings().read(SettingKey::SystolicColour), QStringLiteral("255"));
    QVERIFY(!QFileInfo::exists(f.gallery() + "2017") || yearFolderListing(f, "2017").isEmpty());
}

void TestMainWindowSettings::seriesColourReachesTheNextChartPage()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(3, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    const QString month = f.monthFile("Muster", "03", "2017");
    const QByteArray before = TempHome::readFile(month);

    f.seam.colourAnswers = {QColor(0x12, 0x34, 0x56)};
    clickButton(form, "Button1");
    // Saved and loaded again: the same month, nothing lost.
    QCOMPARE(TempHome::readFile(month), before);
    QCOMPARE(f.list()->count(), 1);

    f.click("BtnBalkendiagrammErstellen");
    const QString page =
        f.home.workFolder() + "Blutdruck-Daten im Browser/2017/Muster_03_2017.html";
    QVERIFY(TempHome::readFile(page).contains(
        "backgroundColor: '#123456',borderColor: '#123456' , borderWidth: 2, fill: false, "));
    QVERIFY(f.seam.texts("document").contains(page));
}

void TestMainWindowSettings::windowAndListColourApplyAtOnce()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    clickButton(form, "Button7"); // "Standard (Rot/Orange)"
    QCOMPARE(form.settings().read(SettingKey::WindowColour), QStringLiteral("410617"));
    QCOMPARE(f.list()->palette().color(QPalette::Base), QColor(252, 140, 103));
    QCOMPARE(f.get<QWidget>("centralwidget")->palette().color(QPalette::Window),
             QColor(249, 67, 6));

    clickButton(form, "Button4"); // "Standard (Grau)"
    QCOMPARE(form.settings().read(SettingKey::WindowColour), QStringLiteral("-2147483633"));
    QCOMPARE(f.list()->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::Base));
}

QTEST_MAIN(TestMainWindowSettings)
#include "tst_main_window_settings.moc"
