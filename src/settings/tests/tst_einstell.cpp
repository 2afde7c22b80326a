#include "settings/gui/browser_pictures.h"
#include "settings/gui/colour_palette.h"
#include "settings/gui/einstell.h"
#include "storage/settings_store.h"
#include "support/fake_seam.h"
#include "support/temp_home.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kData = QStringLiteral(VANTORIA_TEST_DATA_DIR "/settings/");
const QStringList kPlaceNames = {"standard_Image", "ie_Image",     "edge_Image", "chrome_Image",
                                 "firefox_Image",  "safari_Image", "opera_Image"};

// A settings file with the first-run values, a fake seam and the desktop
// entries of one fixture folder (or none).
struct Setup
{
    explicit Setup(const QString &browserFolder = QString())
        : store(home.settingsFile())
    {
        store.writeFirstRunValues(home.workFolder());
        qputenv("XDG_DATA_HOME", browserFolder.isEmpty() ? QByteArray("/nonexistent-vantoria-home")
                                                         : (kData + browserFolder).toLocal8Bit());
        qputenv("XDG_DATA_DIRS", "/nonexistent-vantoria-data");
    }
    QString read(SettingKey key) const { return store.read(key); }
    QString readInt(SettingKey key) const { return store.readInteger(key); }

    TempHome home;
    SettingsStore store;
    FakeSeam seam;
};

template <typename T> T *child(QWidget &dialog, const QString &name)
{
    T *widget = dialog.findChild<T *>(name);
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

QColor fontColour(QWidget &dialog, const char *label)
{
    return child<QLabel>(dialog, label)->palette().color(QPalette::WindowText);
}

void click(QWidget &dialog, const char *button)
{
    child<QPushButton>(dialog, button)->click();
}

QImage pictureOf(QWidget &dialog, const QString &name)
{
    return child<QLabel>(dialog, name)->pixmap().toImage();
}

// "S..CF.." style: a letter where the place shows a picture and a hint.
QString offeredRow(QWidget &dialog)
{
    static const char letters[] = "SIECFXO";
    const QImage empty = emptyBrowserPicture().toImage();
    QString row;
    for (int i = 0; i < kPlaceNames.size(); ++i) {
        QLabel *label = child<QLabel>(dialog, kPlaceNames[i]);
        const bool hinted = !label->toolTip().isEmpty();
        const bool pictured = label->pixmap().toImage() != empty;
        if (hinted != pictured)
            return QStringLiteral("hint and picture disagree at ") + kPlaceNames[i];
        row += hinted ? QLatin1Char(letters[i]) : QLatin1Char('.');
    }
    return row;
}

} // namespace

class TestEinstell : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void layoutAndTexts();
    void seriesColourStoredAtOnceAndKeptAfterCancel();
    void cancelledChooserWritesCurrentColourAgain();
    void chooserStartsOnLastChosenColour();
    void presetsStoreTheirNumbers();
    void greyPresetSurvivesRestart();
    void windowListAndValueColours();
    void firstPaintColours();
    void checkBoxesWriteAtEveryClick();
    void colourValuesAndPalette();

    void chromeAndFirefoxDetected();
    void internetExplorerOffersEdge();
    void operaStableOffersOpera();
    void edgeOnPathOffered();
    void storedChoiceShownWhenNotInstalled();
    void themeIconUsedWhenThemeHasIt();
    void screenshot();

private:
    QTemporaryDir m_bin;
};

void TestEinstell::initTestCase()
{
    QVERIFY(m_bin.isValid());
    // No Edge unless a test puts one there.
    qputenv("PATH", m_bin.path().toLocal8Bit());
}

void TestEinstell::layoutAndTexts()
{
    Setup setup;
    TEinstellDlg dialog(setup.seam, setup.store);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Einstellungen"));
    const QList<QPushButton *> buttons = dialog.findChildren<QPushButton *>();
    int change = 0;
    for (QPushButton *b : buttons)
        change += b->text() == QStringLiteral("Ändern");
    QCOMPARE(change, 6);
    QCOMPARE(child<QPushButton>(dialog, "Button7")->text(),
             QStringLiteral("Standard (Rot/Orange)"));
    QCOMPARE(child<QPushButton>(dialog, "Button4")->text(), QStringLiteral("Standard (Grau)"));
    QVERIFY(child<QPushButton>(dialog, "OKBtn")->isDefault());
    QCOMPARE(child<QPushButton>(dialog, "AbbruchButton")->text(), QStringLiteral("&Abbruch"));
    QCOMPARE(child<QLabel>(dialog, "Label9")->text(),
             QStringLiteral("Diese Browser sind auf Ihrem PC installiert:"));
    QCOMPARE(child<QLabel>(dialog, "Label10")->text(),
             QStringLiteral("Symbol anklicken für Browser Auswahl."));
    QCOMPARE(child<QLabel>(dialog, "Label11")->text(),
             QStringLiteral("Ihre Browser Standardeinstellung wird NICHT geändert."));
    QCOMPARE(child<QLabel>(dialog, "Label12")->text(),
             QStringLiteral("Dieser Browser zeigt aktuell die Suchergebnisse an:"));
    QCOMPARE(child<QCheckBox>(dialog, "LinieUnterbrechenCheckBox")->text(),
             QStringLiteral("Ist Mittelwert = 0 dann Linie unterbrechen."));

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // Every "Ändern" sits in one column, the seven pictures in one row.
    const int buttonX = child<QPushButton>(dialog, "Button1")->x();
    for (const char *name : {"Button2", "Button3", "Button5", "Button6", "Button8"})
        QCOMPARE(child<QPushButton>(dialog, name)->x(), buttonX);
    const int rowY = child<QLabel>(dialog, kPlaceNames[0])->y();
    for (const QString &name : kPlaceNames) {
        QLabel *picture = child<QLabel>(dialog, name);
        QVERIFY(picture->isVisible());
        QCOMPARE(picture->y(), rowY);
        QCOMPARE(picture->size(), QSize(40, 40));
    }
}

void TestEinstell::seriesColourStoredAtOnceAndKeptAfterCancel()
{
    Setup setup;
    TEinstellDlg dialog(setup.seam, setup.store);
    QSignalSpy series(&dialog, &TEinstellDlg::seriesColourChanged);
    dialog.show();

    setup.seam.colourAnswers << QColor(0, 255, 0);
    click(dialog, "Button1");
    QCOMPARE(setup.read(SettingKey::SystolicColour), QStringLiteral("65280"));
    QCOMPARE(fontColour(dialog, "Label1"), QColor(0, 255, 0));
    QCOMPARE(series.size(), 1);
    QCOMPARE(series[0], QVariantList({0, 65280}));
    QCOMPARE(setup.read(SettingKey::DiastolicColour), QStringLiteral("32768"));

    click(dialog, "AbbruchButton");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(setup.read(SettingKey::SystolicColour), QStringLiteral("65280"));

    // Reopened, the dialog shows the state it was left in.
    dialog.show();
    QCOMPARE(fontColour(dialog, "Label1"), QColor(0, 255, 0));
}

void TestEinstell::cancelledChooserWritesCurrentColourAgain()
{
    Setup setup;
    TEinstellDlg dialog(setup.seam, setup.store);
    QSignalSpy series(&dialog, &TEinstellDlg::seriesColourChanged);
    QSignalSpy window(&dialog, &TEinstellDlg::windowColourChanged);
    setup.store.write(SettingKey::DiastolicColour, "999");
    setup.store.write(SettingKey::WindowColour, "5");

    click(dialog, "Button2"); // chooser cancelled
    QCOMPARE(setup.read(SettingKey::DiastolicColour), QStringLiteral("32768"));
    QCOMPARE(series.size(), 1);
    QCOMPARE(series[0], QVariantList({1, 32768}));

    click(dialog, "Button5");
    QCOMPARE(setup.read(SettingKey::WindowColour), QStringLiteral("410617"));
    QCOMPARE(window.size(), 1);
    QCOMPARE(window[0][0].toInt(), 410617);
}

void TestEinstell::chooserStartsOnLastChosenColour()
{
    Setup setup;
    TEinstellDlg dialog(setup.seam, setup.store);
    setup.seam.colourAnswers << QColor(0, 128, 0) << std::nullopt << std::nullopt
                             << QColor(1, 2, 3);
    click(dialog, "Button1"); // green for the systolic row
    click(dialog, "Button3"); // pulse row: starts on green, cancelled
    click(dialog, "Button6"); // a cancel does not count as a choice
    click(dialog, "Button8");
    click(dialog, "Button2");
    QCOMPARE(setup.seam.colourChooserStarts,
             QList<QColor>({Qt::black, QColor(0, 128, 0), QColor(0, 128, 0), QColor(0, 128, 0),
                            QColor(1, 2, 3)}));
    QCOMPARE(setup.read(SettingKey::PulseColour), QStringLiteral("8388863"));
}

void TestEinstell::presetsStoreTheirNumbers()
{
    Setup setup;
    TEinstellDlg dialog(setup.seam, setup.store);
    QSignalSpy window(&dialog, &TEinstellDlg::windowColourChanged);
    QSignalSpy list(&dialog, &TEinstellDlg::listColourChanged);
    dialog.show();

    click(dialog, "Button4");
    QCOMPARE(setup.read(SettingKey::WindowColour), QStringLiteral("-2147483633"));
    QCOMPARE(setup.read(SettingKey::ListColour), QStringLiteral("-2147483643"));
    QCOMPARE(fontColour(dialog, "Label5"), QColor(Qt::black));
    QCOMPARE(fontColour(dialog, "Label6"), QColor(Qt::black));
    QCOMPARE(window.takeLast()[0].toInt(), -2147483633);
    QCOMPARE(list.takeLast()[0].toInt(), -2147483643);

    click(dialog, "Button7");
    QCOMPARE(setup.read(SettingKey::WindowColour), QStringLiteral("410617"));
    QCOMPARE(setup.read(SettingKey::ListColour), QStringLiteral("6786300"));
    QCOMPARE(fontColour(dialog, "Label5"), QColor(249, 67, 6));
    QCOMPARE(fontColour(dialog, "Label6"), QColor(252, 140, 103));
    QCOMPARE(window.takeLast()[0].toInt(), 410617);
    QCOMPARE(list.takeLast()[0].toInt(), 6786300);
}

void TestEinstell::greyPresetSurvivesRestart()
{
    Setup setup;
    {
        TEinstellDlg first(setup.seam, setup.store);
        click(first, "Button4");
    }
    TEinstellDlg dialog(setup.seam, setup.store);
    dialog.show();
    QCOMPARE(fontColour(dialog, "Label5"), QColor(Qt::black));
    QCOMPARE(fontColour(dialog, "Label6"), QColor(Qt::black));
    // A cancelled chooser keeps the desktop colour, not its current look.
    click(dialog, "Button5");
    click(dialog, "Button6");
    QCOMPARE(setup.read(SettingKey::WindowColour), QStringLiteral("-2147483633"));
    QCOMPARE(setup.read(SettingKey::ListColour), QStringLiteral("-2147483643"));
}

void TestEinstell::windowListAndValueColours()
{
    Setup setup;
    TEinstellDlg dialog(setup.seam, setup.store);
    QSignalSpy window(&dialog, &TEinstellDlg::windowColourChanged);
    QSignalSpy list(&dialog, &TEinstellDlg::listColourChanged);
    QSignalSpy value(&dialog, &TEinstellDlg::valueColourChanged);
    QSignalSpy series(&dialog, &TEinstellDlg::seriesColourChanged);
    setup.seam.colourAnswers << QColor(10, 20, 30) << QColor(200, 100, 50) << QColor(0, 0, 255);

    click(dialog, "Button5");
    QCOMPARE(setup.read(SettingKey::WindowColour), QStringLiteral("1971210"));
    QCOMPARE(fontColour(dialog, "Label5"), QColor(10, 20, 30));
    QCOMPARE(window.takeLast()[0].toInt(), 1971210);

    click(dialog, "Button6");
    QCOMPARE(setup.read(SettingKey::ListColour), QString::number(200 + 100 * 256 + 50 * 65536));
    QCOMPARE(fontColour(dialog, "Label6"), QColor(200, 100, 50));
    QCOMPARE(list.size(), 1);

    click(dialog, "Button8");
    QCOMPARE(setup.read(SettingKey::ValuesAboveColour), QStringLiteral("16711680"));
    QCOMPARE(fontColour(dialog, "Label7"), QColor(0, 0, 255));
    QCOMPARE(value.takeLast()[0].toInt(), 16711680);
    // Only the series colours ask for the month to be saved again.
    QCOMPARE(series.size(), 0);
    QCOMPARE(setup.read(SettingKey::SystolicColour), QStringLiteral("16711680"));
}

void TestEinstell::firstPaintColours()
{
    Setup setup;
    setup.store.write(SettingKey::PulseColour, "kaputt");
    TEinstellDlg dialog(setup.seam, setup.store);
    dialog.show();
    // A damaged stored colour leaves black, as an empty one does.
    QCOMPARE(fontColour(dialog, "Label3"), QColor(Qt::black));
    QCOMPARE(fontColour(dialog, "Label1"), QColor(0, 0, 255));
    QCOMPARE(fontColour(dialog, "Label7"), QColor(128, 0, 0));

    dialog.setLabelColours(-2147483633, 255, 65280);
    QCOMPARE(fontColour(dialog, "Label5"), QColor(Qt::black));
    QCOMPARE(fontColour(dialog, "Label6"), QColor(255, 0, 0));
    QCOMPARE(fontColour(dialog, "Label7"), QColor(0, 255, 0));
    // The colours given are the ones a cancelled chooser writes again.
    click(dialog, "Button5");
    click(dialog, "Button8");
    QCOMPARE(setup.read(SettingKey::WindowColour), QStringLiteral("-2147483633"));
    QCOMPARE(setup.read(SettingKey::ValuesAboveColour), QStringLiteral("65280"));
}

void TestEinstell::checkBoxesWriteAtEveryClick()
{
    Setup setup;
    setup.store.writeInteger(SettingKey::BreakLineAtZero, "0");
    TEinstellDlg dialog(setup.seam, setup.store);
    dialog.show();
    auto *values = child<QCheckBox>(dialog, "WerteOberhalbKurveAnzeigenCheckBox");
    auto *gap = child<QCheckBox>(dialog, "LinieUnterbrechenCheckBox");
    QVERIFY(values->isChecked());
    // The box shows what is stored, so it agrees with the next line chart.
    QVERIFY(!gap->isChecked());

    QTest::mouseClick(values, Qt::LeftButton);
    QCOMPARE(setup.readInt(SettingKey::ShowValuesAboveCurve), QStringLiteral("0"));
    QVERIFY(!dialog.showValuesChecked());
    QTest::mouseClick(values, Qt::LeftButton);
    QCOMPARE(setup.readInt(SettingKey::ShowValuesAboveCurve), QStringLiteral("1"));

    QTest::mouseClick(gap, Qt::LeftButton);
    QCOMPARE(setup.readInt(SettingKey::BreakLineAtZero), QStringLiteral("1"));
    QTest::mouseClick(gap, Qt::LeftButton);
    QCOMPARE(setup.readInt(SettingKey::BreakLineAtZero), QStringLiteral("0"));

    // The main window's first paint sets the box without writing.
    dialog.setShowValuesChecked(false);
    QVERIFY(!values->isChecked());
    QCOMPARE(setup.readInt(SettingKey::ShowValuesAboveCurve), QStringLiteral("1"));
}

void TestEinstell::colourValuesAndPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(11, 22, 33));
    palette.setColor(QPalette::Button, QColor(99, 99, 99));
    palette.setColor(QPalette::Base, QColor(44, 55, 66));
    QCOMPARE(colourFromValue(-2147483633, palette), QColor(99, 99, 99));
    QCOMPARE(colourFromValue(-2147483643, palette), QColor(44, 55, 66));
    QCOMPARE(colourFromValue(8388863, palette), QColor(255, 0, 128));
    QCOMPARE(valueFromColour(QColor(255, 0, 128)), 8388863);
    QCOMPARE(valueFromColour(QColor::fromHsv(240, 255, 255)), 16711680);
}

void TestEinstell::chromeAndFirefoxDetected()
{
    Setup setup(QStringLiteral("chrome_firefox"));
    TEinstellDlg dialog(setup.seam, setup.store);
    dialog.show();
    QCOMPARE(offeredRow(dialog), QStringLiteral("S..CF.."));
    QCOMPARE(child<QLabel>(dialog, "chrome_Image")->toolTip(), QStringLiteral("Google Chrome"));
    QCOMPARE(child<QLabel>(dialog, "firefox_Image")->toolTip(), QStringLiteral("FireFox"));
    QCOMPARE(child<QLabel>(dialog, "standard_Image")->toolTip(),
             QStringLiteral("Standard Browser"));
    QCOMPARE(pictureOf(dialog, "AktuellerBrowser_Image"), pictureOf(dialog, "standard_Image"));

    // Empty places do not react.
    for (const char *name : {"ie_Image", "edge_Image", "safari_Image", "opera_Image"}) {
        QTest::mouseClick(child<QLabel>(dialog, name), Qt::LeftButton);
        QCOMPARE(setup.read(SettingKey::Browser), QStringLiteral("standard"));
        QCOMPARE(pictureOf(dialog, "AktuellerBrowser_Image"), pictureOf(dialog, "standard_Image"));
    }

    QTest::mouseClick(child<QLabel>(dialog, "chrome_Image"), Qt::LeftButton);
    QCOMPARE(setup.read(SettingKey::Browser), QStringLiteral("chrome"));
    QCOMPARE(pictureOf(dialog, "AktuellerBrowser_Image"), pictureOf(dialog, "chrome_Image"));

    QTest::mouseClick(child<QLabel>(dialog, "firefox_Image"), Qt::LeftButton);
    QCOMPARE(setup.read(SettingKey::Browser), QStringLiteral("firefox"));
    QCOMPARE(pictureOf(dialog, "AktuellerBrowser_Image"), pictureOf(dialog, "firefox_Image"));
    QVERIFY(pictureOf(dialog, "firefox_Image") != pictureOf(dialog, "chrome_Image"));

    click(dialog, "AbbruchButton");
    QCOMPARE(setup.read(SettingKey::Browser), QStringLiteral("firefox"));

    dialog.show();
    QTest::mouseClick(child<QLabel>(dialog, "standard_Image"), Qt::LeftButton);
    QCOMPARE(setup.read(SettingKey::Browser), QStringLiteral("standard"));
    click(dialog, "OKBtn");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(setup.read(SettingKey::Browser), QStringLiteral("standard"));
}

void TestEinstell::internetExplorerOffersEdge()
{
    Setup setup(QStringLiteral("internet_explorer"));
    TEinstellDlg dialog(setup.seam, setup.store);
    QCOMPARE(offeredRow(dialog), QStringLiteral("SIE...."));
    QCOMPARE(child<QLabel>(dialog, "ie_Image")->toolTip(),
             QStringLiteral("Microsoft Internet Explorer"));
    QCOMPARE(child<QLabel>(dialog, "edge_Image")->toolTip(), QStringLiteral("Microsoft Edge"));
    QTest::mouseClick(child<QLabel>(dialog, "edge_Image"), Qt::LeftButton);
    QCOMPARE(setup.read(SettingKey::Browser), QStringLiteral("edge"));
    QTest::mouseClick(child<QLabel>(dialog, "ie_Image"), Qt::LeftButton);
    QCOMPARE(setup.read(SettingKey::Browser), QStringLiteral("internet explorer"));
}

void TestEinstell::operaStableOffersOpera()
{
    Setup setup(QStringLiteral("opera"));
    TEinstellDlg dialog(setup.seam, setup.store);
    QCOMPARE(offeredRow(dialog), QStringLiteral("S.....O"));
    QCOMPARE(child<QLabel>(dialog, "opera_Image")->toolTip(), QStringLiteral("Opera"));
    QTest::mouseClick(child<QLabel>(dialog, "opera_Image"), Qt::LeftButton);
    QCOMPARE(setup.read(SettingKey::Browser), QStringLiteral("opera"));
}

void TestEinstell::edgeOnPathOffered()
{
    Setup setup;
    const QString program = m_bin.path() + QStringLiteral("/microsoft-edge");
    TempHome::writeFile(program, "#!/bin/sh\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    TEinstellDlg dialog(setup.seam, setup.store);
    QFile::remove(program);
    QCOMPARE(offeredRow(dialog), QStringLiteral("S.E...."));
    QCOMPARE(pictureOf(dialog, "edge_Image"), drawnBrowserPicture(BrowserPlace::Edge).toImage());
}

void TestEinstell::storedChoiceShownWhenNotInstalled()
{
    Setup setup(QStringLiteral("firefox_only"));
    setup.store.write(SettingKey::Browser, "chrome");
    TEinstellDlg dialog(setup.seam, setup.store);
    QCOMPARE(offeredRow(dialog), QStringLiteral("S...F.."));
    const QImage chrome = drawnBrowserPicture(BrowserPlace::Chrome).toImage();
    QCOMPARE(pictureOf(dialog, "AktuellerBrowser_Image"), chrome);
    QTest::mouseClick(child<QLabel>(dialog, "chrome_Image"), Qt::LeftButton);
    QCOMPARE(setup.read(SettingKey::Browser), QStringLiteral("chrome"));
    QCOMPARE(pictureOf(dialog, "AktuellerBrowser_Image"), chrome);
}

void TestEinstell::themeIconUsedWhenThemeHasIt()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.path();
    TempHome::writeFile(root + "/icons/vantoriatest/index.theme",
                        "[Icon Theme]\nName=vantoriatest\nDirectories=48x48/apps\n\n"
                        "[48x48/apps]\nSize=48\nType=Fixed\n");
    QImage icon(48, 48, QImage::Format_ARGB32);
    icon.fill(QColor(10, 200, 30));
    QDir().mkpath(root + "/icons/vantoriatest/48x48/apps");
    QVERIFY(icon.save(root + "/icons/vantoriatest/48x48/apps/vantoria-test-chrome.png"));
    TempHome::writeFile(root + "/home/applications/chrome.desktop",
                        "[Desktop Entry]\nType=Application\nName=Google Chrome\n"
                        "Icon=vantoria-test-chrome\nCategories=WebBrowser;\n");
    TempHome::writeFile(root + "/home/applications/firefox.desktop",
                        "[Desktop Entry]\nType=Application\nName=Firefox\n"
                        "Icon=vantoria-test-missing\nCategories=WebBrowser;\n");

    const QStringList oldPaths = QIcon::themeSearchPaths();
    const QString oldTheme = QIcon::themeName();
    QIcon::setThemeSearchPaths({root + "/icons"});
    QIcon::setThemeName("vantoriatest");
    Setup setup;
    qputenv("XDG_DATA_HOME", (root + "/home").toLocal8Bit());
    TEinstellDlg dialog(setup.seam, setup.store);
    QIcon::setThemeName(oldTheme);
    QIcon::setThemeSearchPaths(oldPaths);

    const QImage chrome = pictureOf(dialog, "chrome_Image");
    QCOMPARE(chrome.size(), QSize(40, 40));
    QCOMPARE(chrome.pixelColor(20, 20), QColor(10, 200, 30));
    QCOMPARE(chrome.pixelColor(1, 1), QColor(10, 200, 30));
    // A theme without the named icon leaves our own picture.
    QCOMPARE(pictureOf(dialog, "firefox_Image"),
             drawnBrowserPicture(BrowserPlace::Firefox).toImage());
}

void TestEinstell::screenshot()
{
    const QByteArray target = qgetenv("VANTORIA_SCREENSHOT");
    if (target.isEmpty())
        QSKIP("set VANTORIA_SCREENSHOT to a file name to keep a picture of the dialog");
    Setup setup(QStringLiteral("chrome_firefox"));
    setup.store.write(SettingKey::Browser, "firefox");
    TEinstellDlg dialog(setup.seam, setup.store);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.grab().save(QString::fromLocal8Bit(target)));
}

QTEST_MAIN(TestEinstell)
#include "tst_einstell.moc"
