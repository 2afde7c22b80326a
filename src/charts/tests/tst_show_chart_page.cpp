// Writing a chart page beside its library and opening it in the chosen browser.
#include "base/text_file.h"
#include "charts/gui/show_chart_page.h"
#include "storage/settings_store.h"
#include "support/fake_seam.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QUrl>

namespace {

// Keeps the argument lists apart, so a path with blanks is seen as one argument.
class ArgumentSeam : public FakeSeam
{
public:
    QList<QStringList> arguments;
    bool startProgram(const QString &program, const QStringList &args) override
    {
        arguments.append(args);
        return FakeSeam::startProgram(program, args);
    }
};

void makeExecutable(const QString &path, const QByteArray &script = "#!/bin/sh\n")
{
    TempHome::writeFile(path, script);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Starts programs for real, as the desktop does, and records the rest.
class StartingSeam : public FakeSeam
{
public:
    bool startProgram(const QString &program, const QStringList &args) override
    {
        FakeSeam::startProgram(program, args);
        return QProcess::startDetached(program, args);
    }
};

const QString kData = QStringLiteral(VANTORIA_TEST_DATA_DIR "/settings/");

} // namespace

class TstShowChartPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void writesThePageAndTheLibraryAndOpensIt();
    void capitalTabAndTwoYears();
    void existingLibraryIsNeverReplaced();
    void libraryFromTheInstallationOrAMessage();
    void browserRows_data();
    void browserRows();
    void browserThatDoesNotStartIsReported();
    void pageThatCannotBeWrittenStopsTheCommand();
    void browsersStartThroughTheirEntries_data();
    void browsersStartThroughTheirEntries();
    void browserThatFailsFallsBackToTheDefault();
    void yearFolderThatCannotBeCreated();

private:
    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<SettingsStore> m_settings;
    QString m_data;
    QString m_html;
    QString m_bin;
    QByteArray m_oldPath;
    QByteArray m_oldDataHome;
    QByteArray m_oldDataDirs;
    QString m_records;

    // A browser that writes its arguments, one per line, to <name>.args.
    void makeRecordingBrowser(const QString &name)
    {
        makeExecutable(m_bin + QLatin1Char('/') + name,
                       "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + m_records.toLocal8Bit() + "/" +
                           name.toLocal8Bit() + ".args.tmp\"\n/bin/mv \"" +
                           m_records.toLocal8Bit() + "/" + name.toLocal8Bit() + ".args.tmp\" \"" +
                           m_records.toLocal8Bit() + "/" + name.toLocal8Bit() + ".args\"\n");
    }
    QStringList recordedArguments(const QString &name) const
    {
        QByteArray text = TempHome::readFile(m_records + QLatin1Char('/') + name + ".args");
        text.chop(1);
        return QString::fromUtf8(text).split(QLatin1Char('\n'));
    }
    // Only the desktop entries of one fixture folder are installed.
    void installEntries(const QString &fixture)
    {
        qputenv("XDG_DATA_HOME", (kData + fixture).toLocal8Bit());
        qputenv("XDG_DATA_DIRS", (m_home->root() + QStringLiteral("/no-share")).toLocal8Bit());
    }
    const QStringList m_page{QStringLiteral("<!doctype html>"), QStringLiteral("Grüße\t"),
                             QStringLiteral("</html>")};

    ChartPublishContext context(const QString &year = QStringLiteral("2020"),
                                const QString &month = QStringLiteral("Muster_01_2020.tab")) const
    {
        return ChartPublishContext{m_data + QStringLiteral("Blutdruck-Daten-Galerie/") + year +
                                       QLatin1Char('/') + month,
                                   year,
                                   m_html,
                                   m_data,
                                   QString(),
                                   *m_settings};
    }
    QString pagePath(const QString &year = QStringLiteral("2020")) const
    {
        return m_html + year + QStringLiteral("/Muster_01_2020.html");
    }
};

void TstShowChartPage::init()
{
    m_home = std::make_unique<TempHome>();
    m_data = m_home->workFolder();
    m_html = m_data + QStringLiteral("Blutdruck-Daten im Browser/");
    m_settings = std::make_unique<SettingsStore>(m_home->settingsFile());
    m_settings->writeFirstRunValues(m_data);
    TempHome::writeFile(m_data + QStringLiteral("scripts/Chart.min.js"), "/* library */");
    // Only our own fake browsers are on PATH.
    m_bin = m_home->root() + QStringLiteral("/bin");
    QDir().mkpath(m_bin);
    m_oldPath = qgetenv("PATH");
    qputenv("PATH", m_bin.toLocal8Bit());
    m_records = m_home->root() + QStringLiteral("/records");
    QDir().mkpath(m_records);
    m_oldDataHome = qgetenv("XDG_DATA_HOME");
    m_oldDataDirs = qgetenv("XDG_DATA_DIRS");
    installEntries(QStringLiteral("none"));
}

void TstShowChartPage::cleanup()
{
    qputenv("PATH", m_oldPath);
    qputenv("XDG_DATA_HOME", m_oldDataHome);
    qputenv("XDG_DATA_DIRS", m_oldDataDirs);
    TextFile::setWriteFaultForTesting({});
}

void TstShowChartPage::writesThePageAndTheLibraryAndOpensIt()
{
    m_settings->write(SettingKey::Browser, QString());
    FakeSeam seam;
    ShowChartPage(seam, nullptr, context(), m_page);

    QCOMPARE(TempHome::readFile(pagePath()), QByteArray("<!doctype html>\r\nGr\xfc\xdf"
                                                        "e\t\r\n</html>\r\n"));
    const QString script = m_html + QStringLiteral("2020/Chart.min.js");
    QCOMPARE(TempHome::readFile(script), QByteArray("/* library */"));
    QCOMPARE(QFile::permissions(script) & 0x7077,
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    QCOMPARE(seam.calls.size(), 1);
    QCOMPARE(seam.calls.at(0).kind, QStringLiteral("document"));
    QCOMPARE(seam.calls.at(0).text, pagePath());
    // An empty choice becomes the default browser, and stays so.
    QCOMPARE(m_settings->read(SettingKey::Browser), QStringLiteral("standard"));

    // Building again replaces the page.
    ShowChartPage(seam, nullptr, context(), {QStringLiteral("neu")});
    QCOMPARE(TempHome::readFile(pagePath()), QByteArray("neu\r\n"));
}

void TstShowChartPage::capitalTabAndTwoYears()
{
    FakeSeam seam;
    ShowChartPage(seam, nullptr,
                  context(QStringLiteral("2019"), QStringLiteral("Muster_01_2019.TAB")), m_page);
    ShowChartPage(seam, nullptr, context(), m_page);
    QVERIFY(QFile::exists(m_html + QStringLiteral("2019/Muster_01_2019.html")));
    QVERIFY(QFile::exists(m_html + QStringLiteral("2019/Chart.min.js")));
    QVERIFY(QFile::exists(m_html + QStringLiteral("2020/Chart.min.js")));
    QCOMPARE(seam.texts(QStringLiteral("document")),
             (QStringList{m_html + QStringLiteral("2019/Muster_01_2019.html"), pagePath()}));
    QVERIFY(seam.messages().isEmpty());
}

void TstShowChartPage::existingLibraryIsNeverReplaced()
{
    const QString script = m_html + QStringLiteral("2020/Chart.min.js");
    TempHome::writeFile(script, "/* older copy */");
    QFile::remove(m_data + QStringLiteral("scripts/Chart.min.js"));
    FakeSeam seam;
    ShowChartPage(seam, nullptr, context(), m_page);
    QCOMPARE(TempHome::readFile(script), QByteArray("/* older copy */"));
    QVERIFY(seam.messages().isEmpty());
}

void TstShowChartPage::libraryFromTheInstallationOrAMessage()
{
    QFile::remove(m_data + QStringLiteral("scripts/Chart.min.js"));
    const QString installed =
        m_home->root() + QStringLiteral("/share/vantoria/scripts/Chart.min.js");
    TempHome::writeFile(installed, "/* installed */");
    QFile::setPermissions(installed, QFileDevice::Permissions(0x7777));
    FakeSeam seam;
    ChartPublishContext withInstalled = context();
    withInstalled.installedScriptPath = installed;
    ShowChartPage(seam, nullptr, withInstalled, m_page);
    const QString script = m_html + QStringLiteral("2020/Chart.min.js");
    QCOMPARE(TempHome::readFile(script), QByteArray("/* installed */"));
    QCOMPARE(QFile::permissions(script) & 0x7077,
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    QVERIFY(seam.messages().isEmpty());

    // Without any copy the page still opens, after the message.
    seam.clear();
    ShowChartPage(seam, nullptr, context(QStringLiteral("2021")), m_page);
    QCOMPARE(seam.calls.size(), 2);
    QCOMPARE(seam.calls.at(0).kind, QStringLiteral("plain"));
    QCOMPARE(seam.calls.at(0).text, QStringLiteral("Datei \"") + m_data +
                                        QStringLiteral("scripts/Chart.min.js\" konnte nicht in den "
                                                       "Ordner:\"JahrPfad\" kopiert werden! "));
    QCOMPARE(seam.calls.at(1).kind, QStringLiteral("document"));
}

void TstShowChartPage::browserRows_data()
{
    QTest::addColumn<QString>("browser");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("program");
    QTest::newRow("standard") << "standard"
                              << "document"
                              << "";
    QTest::newRow("firefox") << "firefox"
                             << "program"
                             << "firefox";
    QTest::newRow("edge") << "edge"
                          << "program"
                          << "microsoft-edge";
    QTest::newRow("chrome takes the first found") << "chrome"
                                                  << "program"
                                                  << "chromium";
    QTest::newRow("opera falls back") << "opera"
                                      << "document"
                                      << "";
    QTest::newRow("safari falls back") << "safari"
                                       << "document"
                                       << "";
    QTest::newRow("first row wins") << "standard firefox chrome"
                                    << "document"
                                    << "";
    QTest::newRow("firefox before chrome") << "firefox chrome"
                                           << "program"
                                           << "firefox";
    QTest::newRow("case matters") << "Firefox"
                                  << "document"
                                  << "";
    QTest::newRow("internet explorer") << "internet explorer"
                                       << "warning"
                                       << "Datei: iexplore.exe kann nicht geöffnet werden";
    QTest::newRow("opera once installed") << "opera"
                                          << "program"
                                          << "opera";
}

void TstShowChartPage::browserRows()
{
    QFETCH(QString, browser);
    QFETCH(QString, kind);
    QFETCH(QString, program);
    for (const char *name : {"firefox", "microsoft-edge", "chromium", "chromium-browser"})
        makeExecutable(m_bin + QLatin1Char('/') + QLatin1String(name));
    if (QByteArray(QTest::currentDataTag()) == "opera once installed")
        makeExecutable(m_bin + QStringLiteral("/opera"));
    m_settings->write(SettingKey::Browser, browser);
    ArgumentSeam seam;
    ShowChartPage(seam, nullptr, context(), m_page);
    // The internet explorer row also opens the page in the default browser.
    QCOMPARE(seam.calls.size(), kind == QLatin1String("warning") ? 2 : 1);
    QCOMPARE(seam.calls.at(0).kind, kind);
    if (kind == QLatin1String("document")) {
        QCOMPARE(seam.calls.at(0).text, pagePath());
    } else if (kind == QLatin1String("program")) {
        QCOMPARE(seam.calls.at(0).text, program + QLatin1Char(' ') + pagePath());
        // The path with its blanks is one argument, without quote characters.
        QCOMPARE(seam.arguments, QList<QStringList>{QStringList{pagePath()}});
    } else {
        QCOMPARE(seam.calls.at(0).text, program);
    }
}

void TstShowChartPage::browserThatDoesNotStartIsReported()
{
    m_settings->write(SettingKey::Browser, QStringLiteral("firefox"));
    FakeSeam seam;
    ShowChartPage(seam, nullptr, context(), m_page); // not on PATH
    QCOMPARE(seam.texts(QStringLiteral("warning")),
             QStringList{QStringLiteral("Datei: firefox kann nicht geöffnet werden")});
    QVERIFY(seam.texts(QStringLiteral("program")).isEmpty());
    QCOMPARE(seam.texts(QStringLiteral("document")), QStringList{pagePath()});

    makeExecutable(m_bin + QStringLiteral("/google-chrome"));
    m_settings->write(SettingKey::Browser, QStringLiteral("chrome"));
    seam.clear();
    seam.launchSucceeds = false;
    ShowChartPage(seam, nullptr, context(), m_page);
    QCOMPARE(seam.texts(QStringLiteral("program")),
             QStringList{QStringLiteral("google-chrome ") + pagePath()});
    // After the warning the default browser is tried, which fails here too.
    QCOMPARE(seam.texts(QStringLiteral("document")), QStringList{pagePath()});
    QCOMPARE(seam.texts(QStringLiteral("warning")),
             (QStringList{QStringLiteral("Datei: google-chrome kann nicht geöffnet werden"),
                          QStringLiteral("Die Diagrammseite konnte nicht im Standardbrowser "
                                         "geöffnet werden. Sie liegt hier:\r\n") +
                              pagePath()}));

    // A default browser that cannot start is told, with where the page lies.
    m_settings->write(SettingKey::Browser, QStringLiteral("standard"));
    seam.clear();
    ShowChartPage(seam, nullptr, context(), m_page);
    QCOMPARE(seam.texts(QStringLiteral("warning")),
             QStringList{QStringLiteral("Die Diagrammseite konnte nicht im Standardbrowser "
                                        "geöffnet werden. Sie liegt hier:\r\n") +
                         pagePath()});
}

void TstShowChartPage::pageThatCannotBeWrittenStopsTheCommand()
{
    TextFile::setWriteFaultForTesting([](const QString &) { return false; });
    FakeSeam seam;
    ShowChartPage(seam, nullptr, context(), m_page);
    QCOMPARE(seam.calls.size(), 1);
    QCOMPARE(seam.calls.at(0).kind, QStringLiteral("warning"));
    QCOMPARE(seam.calls.at(0).text,
             QStringLiteral("Auf dem Datenträger ist nicht genügend Speicherplatz."));
    QVERIFY(!QFile::exists(pagePath()));
    QVERIFY(!QFile::exists(m_html + QStringLiteral("2020/Chart.min.js")));
}

void TstShowChartPage::yearFolderThatCannotBeCreated()
{
    // A file where the chart folder should be.
    TempHome::writeFile(m_data + QStringLiteral("blocked"), "x");
    m_html = m_data + QStringLiteral("blocked/");
    FakeSeam seam;
    ShowChartPage(seam, nullptr, context(), m_page);
    QCOMPARE(seam.calls.size(), 2);
    QCOMPARE(seam.calls.at(0).kind, QStringLiteral("plain"));
    QCOMPARE(seam.calls.at(0).text, QStringLiteral("Ordner \"") + m_html +
                                        QStringLiteral("2020\" konnte nicht erstellt werden! "));
    QCOMPARE(seam.calls.at(1).kind, QStringLiteral("warning"));
    QVERIFY(!seam.calls.at(1).text.isEmpty());
}

void TstShowChartPage::browsersStartThroughTheirEntries_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("browser");
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("asUrl");         // the page as a file: URL, else as its path
    QTest::addColumn<QStringList>("before"); // arguments ahead of the page
    QTest::addColumn<QStringList>("after");  // arguments behind it
    QTest::newRow("chromium for chrome") << "linux_browsers"
                                         << "chrome"
                                         << "chromium" << true << QStringList() << QStringList();
    QTest::newRow("flatpak firefox") << "linux_browsers"
                                     << "firefox"
                                     << "flatpak" << true
                                     << QStringList{"run",
                                                    "--branch=stable",
                                                    "--arch=x86_64",
                                                    "--command=firefox",
                                                    "--file-forwarding",
                                                    "org.mozilla.firefox",
                                                    "@@u"}
                                     << QStringList{"@@"};
    QTest::newRow("opera") << "linux_browsers"
                           << "opera"
                           << "opera" << true << QStringList() << QStringList();
    QTest::newRow("entry without exec: fixed name")
        << "noexec"
        << "firefox"
        << "firefox" << false << QStringList() << QStringList();
}

void TstShowChartPage::browsersStartThroughTheirEntries()
{
    QFETCH(QString, fixture);
    QFETCH(QString, browser);
    QFETCH(QString, program);
    QFETCH(bool, asUrl);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    installEntries(fixture);
    for (const char *name : {"chromium", "flatpak", "opera", "firefox", "google-chrome"})
        makeRecordingBrowser(QLatin1String(name));
    m_settings->write(SettingKey::Browser, browser);
    StartingSeam seam;
    ShowChartPage(seam, nullptr, context(), m_page);
    QVERIFY(seam.messages().isEmpty());
    QVERIFY(seam.texts(QStringLiteral("document")).isEmpty());
    QTRY_VERIFY(QFile::exists(m_records + QLatin1Char('/') + program + ".args"));
    const QString page =
        asUrl ? QUrl::fromLocalFile(pagePath()).toString(QUrl::FullyEncoded) : pagePath();
    QCOMPARE(recordedArguments(program), before + QStringList{page} + after);
    // The page reached the browser whole, blanks in the folder name and all.
    if (asUrl)
        QCOMPARE(QUrl(page).toLocalFile(), pagePath());
}

void TstShowChartPage::browserThatFailsFallsBackToTheDefault()
{
    installEntries(QStringLiteral("linux_browsers"));
    StartingSeam seam;

    // The entry names a program that is not there.
    m_settings->write(SettingKey::Browser, QStringLiteral("opera"));
    ShowChartPage(seam, nullptr, context(), m_page);
    QCOMPARE(seam.calls.size(), 2);
    QCOMPARE(seam.calls.at(0).kind, QStringLiteral("warning"));
    QCOMPARE(seam.calls.at(0).text, QStringLiteral("Datei: opera kann nicht geöffnet werden"));
    QCOMPARE(seam.calls.at(1).kind, QStringLiteral("document"));
    QCOMPARE(seam.calls.at(1).text, pagePath());

    // The program is there but cannot be run.
    makeExecutable(m_bin + QStringLiteral("/chromium"), "#!/nonexistent/interpreter\n");
    m_settings->write(SettingKey::Browser, QStringLiteral("chrome"));
    seam.clear();
    ShowChartPage(seam, nullptr, context(), m_page);
    QCOMPARE(seam.calls.size(), 3);
    QCOMPARE(seam.calls.at(0).kind, QStringLiteral("program"));
    QCOMPARE(seam.calls.at(1).text, QStringLiteral("Datei: chromium kann nicht geöffnet werden"));
    QCOMPARE(seam.calls.at(2).kind, QStringLiteral("document"));
}

QTEST_MAIN(TstShowChartPage)
#include "tst_show_chart_page.moc"
