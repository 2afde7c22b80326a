// Month files and settings that the program did not write, opened as a user
// would: each gives its German message or the conversion error,
// and every file on disk stays as it was.
#include "main_form_fixture.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QtTest>

namespace {

const QString kData = QStringLiteral(VANTORIA_TEST_DATA_DIR);

QByteArray fixture(const QString &name)
{
    return TempHome::readFile(kData + QStringLiteral("/bad/") + name);
}

QByteArray tenThousandLines()
{
    QByteArray bytes =
        fixture(QStringLiteral("Muster_03_2017_abc.tab"))
            .left(fixture(QStringLiteral("Muster_03_2017_abc.tab")).indexOf("Morgens"));
    static const char *const slotNames[] = {"Morgens", "Messung2", "Messung3", "Abends"};
    for (int i = 0; i < 10000; ++i)
        bytes += QByteArray(slotNames[i % 4]) + " den " +
                 QByteArray::number(100 + (i / 4) % 31 + 1).mid(1) +
                 ".03.2017 Z=07:30 s=" + QByteArray::number(100 + i % 80) +
                 ", d=80, p=70, Gewicht=" + (i % 3 ? "0" : "80,5") + "\r\n";
    return bytes;
}

QStringList shown(const FakeSeam &seam)
{
    QStringList result;
    for (const FakeSeam::Call &call : seam.calls)
        result << call.kind + QStringLiteral(": ") + call.text;
    return result;
}

} // namespace

class TstBadInput : public QObject
{
    Q_OBJECT

private slots:
    void foreignMonthFile_data();
    void foreignMonthFile();
    void junkSettingsFile();
};

void TstBadInput::foreignMonthFile_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("listed");

    QTest::newRow("csv of another program")
        << QStringLiteral("export_03_2017.csv") << fixture(QStringLiteral("export_03_2017.csv"))
        << QStringList() << 0;
    // A garbled name is shown, but never starts a second gallery.
    QTest::newRow("utf-8")
        << QStringLiteral("Mueller_03_2017.tab") << fixture(QStringLiteral("Mueller_03_2017.tab"))
        << QStringList{QString::fromUtf8(
               "warning: Die Datei „%1/Downloads/Mueller_03_2017.tab“ wird nur angezeigt und "
               "weder in die Galerie kopiert noch gespeichert: Der Name „M\xC3\x83\xC2\xBCller“ "
               "ist falsch kodiert; die Datei ist offenbar in UTF-8 statt Windows-1252 "
               "geschrieben.")}
        << 2;
    QTest::newRow("10,000 lines") << QStringLiteral("Viel_03_2017.tab") << tenThousandLines()
                                  << QStringList() << 10000;
    QTest::newRow("one-digit day")
        << QStringLiteral("Muster_03_2017_one_digit_day.tab")
        << fixture(QStringLiteral("Muster_03_2017_one_digit_day.tab")) << QStringList() << 2;
    QTest::newRow("markers missing")
        << QStringLiteral("Muster_03_2017_missing_markers.tab")
        << fixture(QStringLiteral("Muster_03_2017_missing_markers.tab"))
        << QStringList{QStringLiteral("error: 'Morgens 03' ist kein gültiger Integerwert")} << 1;
    QTest::newRow("pressure abc")
        << QStringLiteral("Muster_03_2017_abc.tab")
        << fixture(QStringLiteral("Muster_03_2017_abc.tab"))
        // The load stops at the means; the fresh form of the next paint
        // evaluates the selected line, which fails on its own.
        << QStringList{QStringLiteral("error: 'abc' ist kein gültiger Gleitkommawert"),
                       QStringLiteral("error: 'abc' ist kein gültiger Integerwert")}
        << 2;
    QTest::newRow("weight abc") << QStringLiteral("Muster_03_2017_weight_abc.tab")
                                << fixture(QStringLiteral("Muster_03_2017_weight_abc.tab"))
                                << QStringList{QStringLiteral(
                                       "error: 'abc' ist kein gültiger Gleitkommawert")}
                                << 1;
    QTest::newRow("empty file") << QStringLiteral("Muster_03_2017_empty.tab") << QByteArray()
                                << QStringList() << 0;
}

void TstBadInput::foreignMonthFile()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, messages);
    QFETCH(int, listed);

    MainFormFixture f;
    f.start(TempHome::readFile(kData + QStringLiteral("/months/Muster_03_2017.tab")));
    const QString path = f.home.root() + QStringLiteral("/Downloads/") + fileName;
    TempHome::writeFile(path, bytes);
    // The month's place in the gallery is free, so the opened file is taken in
    // (a month already there would be opened instead, which has its own test).
    QFile::remove(f.monthPath());
    QMap<QString, QByteArray> before = f.snapshot();

    // Opened as the user opens it, through the menu and the file dialog.
    f.seam.openFileAnswers = {path};
    f.form->findChild<QAction *>(QStringLiteral("oeffnen"))->trigger();
    f.seam.calls.removeIf([](const FakeSeam::Call &call) { return call.kind == "open"; });
    f.form->FormPaint();
    const QStringList seen = shown(f.seam);
    QMap<QString, QByteArray> after = f.snapshot();
    QStringList added;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()))
            added << it.key();
    }
    qInfo().noquote() << QStringLiteral("%1 -> [%2] list %3, title \"%4\", new files [%5]")
                             .arg(QString::fromLatin1(QTest::currentDataTag()),
                                  seen.join(QStringLiteral(" | ")))
                             .arg(f.form->listLines().size())
                             .arg(f.form->findChild<QLabel *>(QStringLiteral("Labeltest"))->text(),
                                  added.join(QStringLiteral(", ")));

    for (QString &message : messages)
        message.replace(QStringLiteral("%1"), f.home.root());
    QCOMPARE(seen, messages);
    QCOMPARE(f.form->listLines().size(), listed);
    // Every file that was there is unchanged; the settings only follow the
    // user name of the header.
    const QString settings = f.home.settingsFile().mid(f.home.root().size());
    after.remove(settings);
    before.remove(settings);
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key()));
    // A new file can only be the import copy of the opened file, whole.
    for (const QString &name : added) {
        QVERIFY2(name.endsWith(QStringLiteral(".tab")), qPrintable(name));
        QCOMPARE(after.value(name), bytes);
    }
}

void TstBadInput::junkSettingsFile()
{
    MainFormFixture f;
    const QByteArray month =
        TempHome::readFile(kData + QStringLiteral("/months/Muster_03_2017.tab"));
    TempHome::writeFile(f.monthPath(), month);
    TempHome::writeFile(f.home.settingsFile(), fixture(QStringLiteral("settings/junk.conf")));
    f.seam.dialogHandler = [](QDialog &) { return int(QDialog::Accepted); };

    f.createForm();
    QVERIFY(!f.form->endedAtStart());
    f.form->FormPaint();
    qInfo().noquote()
        << QStringLiteral("junk settings -> [%1]").arg(shown(f.seam).join(QStringLiteral(" | ")));
    // No InstallOrt could be read: the first-run defaults are written and the
    // name is asked for; the month file is untouched.
    const SettingsStore settings(f.home.settingsFile());
    QCOMPARE(settings.read(SettingKey::InstallFolder), f.home.workFolder());
    QCOMPARE(settings.read(SettingKey::WindowColour), QStringLiteral("410617"));
    QCOMPARE(settings.readInteger(SettingKey::BreakLineAtZero), QStringLiteral("1"));
    QCOMPARE(shown(f.seam), QStringList{QStringLiteral("dialog: NameEingDlg")});
    QCOMPARE(TempHome::readFile(f.monthPath()), month);
}

QTEST_MAIN(TstBadInput)
#include "tst_bad_input.moc"
