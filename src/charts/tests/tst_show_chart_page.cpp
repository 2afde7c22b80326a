// Writing a chart page beside its library and opening it in the chosen browser.
#include "storage/settings_store.h"
#include "base/text_file.h"
#include "charts/show_chart_page.h"
#include "support/fake_seam.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QTest>

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

void makeExecutable(const QString &path)
{
    TempHome::writeFile(path, "#!/bin/sh\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

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
    void yearFolderThatCannotBeCreated();

private:
    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<SettingsStore> m_settings;
    QString m_data;
    QString m_html;
    QString m_bin;
    QByteArray m_oldPath;
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
    m_settings->Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege(m_data);
    TempHome::writeFile(m_data + QStringLiteral("scripts/Chart.min.js"), "/* library */");
    // Only our own fake browsers are on PATH.
    m_bin = m_home->root() + QStringLiteral("/bin");
    QDir().mkpath(m_bin);
    m_oldPath = qgetenv("PATH");
    qputenv("PATH", m_bin.toLocal8Bit());
}

void TstShowChartPage::cleanup()
{
    qputenv("PATH", m_oldPath);
    TextFile::setWriteFaultForTesting({});
}

void TstShowChartPage::writesThePageAndTheLibraryAndOpensIt()
{
    m_settings->Schreib_String_in_Registry(QStringLiteral("Browser"), QString());
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
    QCOMPARE(m_settings->Lies_String_aus_Registry(QStringLiteral("Browser")),
             QStringLiteral("standard"));

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
}

void TstShowChartPage::browserRows()
{
    QFETCH(QString, browser);
    QFETCH(QString, kind);
    QFETCH(QString, program);
    for (const char *name : {"firefox", "microsoft-edge", "chromium", "chromium-browser"})
        makeExecutable(m_bin + QLatin1Char('/') + QLatin1String(name));
    m_settings->Schreib_String_in_Registry(QStringLiteral("Browser"), browser);
    ArgumentSeam seam;
    ShowChartPage(seam, nullptr, context(), m_page);
    QCOMPARE(seam.calls.size(), 1);
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
    m_settings->Schreib_String_in_Registry(QStringLiteral("Browser"), QStringLiteral("firefox"));
    FakeSeam seam;
    ShowChartPage(seam, nullptr, context(), m_page); // not on PATH
    QCOMPARE(seam.texts(QStringLiteral("warning")),
             QStringList{QStringLiteral("Datei: firefox kann nicht geöffnet werden")});
    QVERIFY(seam.texts(QStringLiteral("program")).isEmpty());

    makeExecutable(m_bin + QStringLiteral("/google-chrome"));
    m_settings->Schreib_String_in_Registry(QStringLiteral("Browser"), QStringLiteral("chrome"));
    seam.clear();
    seam.launchSucceeds = false;
    ShowChartPage(seam, nullptr, context(), m_page);
    QCOMPARE(seam.texts(QStringLiteral("program")),
             QStringList{QStringLiteral("google-chrome ") + pagePath()});
    QCOMPARE(seam.texts(QStringLiteral("warning")),
             QStringList{QStringLiteral("Datei: google-chrome kann nicht geöffnet werden")});

    // A default browser that cannot start is told, with where the page lies.
    m_settings->Schreib_String_in_Registry(QStringLiteral("Browser"), QStringLiteral("standard"));
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

QTEST_MAIN(TstShowChartPage)
#include "tst_show_chart_page.moc"
