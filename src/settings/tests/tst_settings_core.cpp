#include "settings/browser_places.h"
#include "settings/browser_start.h"
#include "settings/colour_value.h"
#include "settings/desktop_browsers.h"
#include "settings/exec_line.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kData = QStringLiteral(VANTORIA_TEST_DATA_DIR "/settings/");

// Restores an environment variable when the test ends.
class EnvGuard
{
public:
    explicit EnvGuard(const char *name)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
    {
        m_value = qgetenv(name);
    }
    ~EnvGuard()
    {
        if (m_had)
            qputenv(m_name, m_value);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_value;
};

// "S..CF.." for standard, Chrome and Firefox offered.
QString offerText(const BrowserOffer &offer)
{
    static const char letters[] = "SIECFXO";
    QString text;
    for (int i = 0; i < kBrowserPlaceCount; ++i)
        text += offer[i] ? QLatin1Char(letters[i]) : QLatin1Char('.');
    return text;
}

} // namespace

class TestSettingsCore : public QObject
{
    Q_OBJECT

private slots:
    void colourComponents_data();
    void colourComponents();
    void colourSystemValues();

    void desktopEntriesFollowPrecedenceAndRules();
    void applicationFoldersFromEnvironment();
    void browserListAppends();
    void edgeFoundOnPath();

    void offeredPlaces_data();
    void offeredPlaces();
    void currentChoice_data();
    void currentChoice();

    void execLineSplits_data();
    void execLineSplits();
    void execLineFieldCodes_data();
    void execLineFieldCodes();
    void linuxBrowsersOfferedAndStarted_data();
    void linuxBrowsersOfferedAndStarted();
    void entryWithoutExecStartsByFixedName();
};

void TestSettingsCore::colourComponents_data()
{
    QTest::addColumn<qint32>("value");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::newRow("systolic default is blue") << 16711680 << 0 << 0 << 255;
    QTest::newRow("diastolic default") << 32768 << 0 << 128 << 0;
    QTest::newRow("pulse default") << 8388863 << 255 << 0 << 128;
    QTest::newRow("window preset") << 410617 << 249 << 67 << 6;
    QTest::newRow("list preset") << 6786300 << 252 << 140 << 103;
    QTest::newRow("white") << 16777215 << 255 << 255 << 255;
    QTest::newRow("top byte ignored") << 0x01000080 << 128 << 0 << 0;
}

void TestSettingsCore::colourComponents()
{
    QFETCH(qint32, value);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QCOMPARE(ColourValue::red(value), red);
    QCOMPARE(ColourValue::green(value), green);
    QCOMPARE(ColourValue::blue(value), blue);
    QCOMPARE(ColourValue::fromRgb(red, green, blue), value & 0xFFFFFF);
    QVERIFY(!ColourValue::isSystemColour(value));
}

void TestSettingsCore::colourSystemValues()
{
    // The stored texts of the two desktop colours.
    QCOMPARE(QString::number(ColourValue::kSystemButtonFace), QStringLiteral("-2147483633"));
    QCOMPARE(QString::number(ColourValue::kSystemWindowBackground), QStringLiteral("-2147483643"));
    QVERIFY(ColourValue::isSystemColour(-2147483633));
    QCOMPARE(ColourValue::systemRole(-2147483643), ColourValue::SystemRole::WindowBackground);
    QCOMPARE(ColourValue::systemRole(-2147483633), ColourValue::SystemRole::ButtonFace);
    QCOMPARE(ColourValue::systemRole(qint32(0x80000008u)), ColourValue::SystemRole::ButtonFace);
    QCOMPARE(ColourValue::fromRgb(300, -4, 255), 255 + 65536 * 255);
}

void TestSettingsCore::desktopEntriesFollowPrecedenceAndRules()
{
    const QStringList folders = {kData + QStringLiteral("reader/home/applications/"),
                                 kData + QStringLiteral("reader/data1/applications/"),
                                 kData + QStringLiteral("reader/data2/applications/")};
    const QList<DesktopBrowser> browsers = readDesktopBrowsers(folders);
    QStringList seen;
    for (const DesktopBrowser &b : browsers)
        seen << b.id + QLatin1Char('|') + b.name + QLatin1Char('|') + b.icon;
    // The user's Chrome entry hides the system one, a hidden user entry hides
    // Opera, the first folder's Firefox hides the second's; links, entries
    // without a name or whose program is gone, and browser categories of
    // actions do not count. Only the first Name= of the main group counts.
    const QStringList expected = {
        QStringLiteral("epiphany.desktop|Web|org.gnome.Epiphany"),
        QStringLiteral("firefox-esr.desktop|Firefox ESR|firefox-esr"),
        QStringLiteral("google-chrome.desktop|Google Chrome|google-chrome"),
        QStringLiteral("kde4-konqbrowser.desktop|Konqueror Web|"),
    };
    QCOMPARE(seen, expected);

    QVERIFY(readDesktopBrowsers({QStringLiteral("/nonexistent/applications/")}).isEmpty());
}

void TestSettingsCore::applicationFoldersFromEnvironment()
{
    EnvGuard home("XDG_DATA_HOME");
    EnvGuard dirs("XDG_DATA_DIRS");
    EnvGuard userHome("HOME");

    qputenv("HOME", "/home/tester");
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_DATA_DIRS");
    QCOMPARE(applicationFolders(),
             QStringList({QStringLiteral("/home/tester/.local/share/applications/"),
                          QStringLiteral("/usr/local/share/applications/"),
                          QStringLiteral("/usr/share/applications/")}));

    // Relative entries are ignored, as the base directory rules say.
    qputenv("XDG_DATA_HOME", "/data/home/");
    qputenv("XDG_DATA_DIRS", "relative/share::/opt/share/:/usr/share");
    QCOMPARE(applicationFolders(), QStringList({QStringLiteral("/data/home/applications/"),
                                                QStringLiteral("/opt/share/applications/"),
                                                QStringLiteral("/usr/share/applications/")}));

    qputenv("XDG_DATA_HOME", "relative");
    qputenv("XDG_DATA_DIRS", "only/relative");
    QCOMPARE(applicationFolders(),
             QStringList({QStringLiteral("/home/tester/.local/share/applications/"),
                          QStringLiteral("/usr/local/share/applications/"),
                          QStringLiteral("/usr/share/applications/")}));
}

void TestSettingsCore::browserListAppends()
{
    EnvGuard home("XDG_DATA_HOME");
    EnvGuard dirs("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", (kData + QStringLiteral("reader/home")).toLocal8Bit());
    qputenv("XDG_DATA_DIRS",
            (kData + QStringLiteral("reader/data2:") + kData + QStringLiteral("reader/data1"))
                .toLocal8Bit());
    QStringList list = {QStringLiteral("already there")};
    readBrowserList(list);
    // With data2 ahead of data1 its Firefox entry wins.
    QCOMPARE(list, QStringList({QStringLiteral("already there"), QStringLiteral("Web"),
                                QStringLiteral("Masked Firefox"), QStringLiteral("Google Chrome"),
                                QStringLiteral("Konqueror Web")}));
}

void TestSettingsCore::edgeFoundOnPath()
{
    EnvGuard path("PATH");
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    qputenv("PATH", bin.path().toLocal8Bit());
    QVERIFY(!edgeInstalled());

    // A file that cannot be run is no program.
    QFile plain(bin.path() + QStringLiteral("/microsoft-edge"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QVERIFY(!edgeInstalled());

    QFile program(bin.path() + QStringLiteral("/microsoft-edge-stable"));
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\n");
    program.close();
    program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(edgeInstalled());
}

void TestSettingsCore::offeredPlaces_data()
{
    // Each name stands for an entry "<n>.desktop"; "id:" entries name the
    // desktop file only.
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("edgeFound");
    QTest::addColumn<QString>("offered");
    QTest::newRow("nothing listed") << QStringList() << false << "S......";
    QTest::newRow("edge alone") << QStringList() << true << "S.E....";
    QTest::newRow("chrome and firefox")
        << QStringList{"Google Chrome", "Mozilla Firefox"} << false << "S..CF..";
    QTest::newRow("internet explorer brings edge")
        << QStringList{"Internet Explorer"} << false << "SIE....";
    QTest::newRow("opera stable, any case") << QStringList{"OPERA Stable"} << false << "S.....O";
    QTest::newRow("safari") << QStringList{"Apple Safari"} << false << "S....X.";
    QTest::newRow("one name, several rules")
        << QStringList{"chrome-firefox-opera bundle"} << false << "S..CF.O";
    QTest::newRow("chromium serves chrome") << QStringList{"Chromium", "Web"} << false << "S..C...";
    QTest::newRow("chromium by its desktop file")
        << QStringList{"id:org.chromium.Chromium.desktop"} << false << "S..C...";
    QTest::newRow("chromium in capitals")
        << QStringList{"UNGOOGLED CHROMIUM"} << false << "S..C...";
    QTest::newRow("chrom alone is nothing") << QStringList{"Chrom Browser"} << false << "S......";
}

void TestSettingsCore::offeredPlaces()
{
    QFETCH(QStringList, names);
    QFETCH(bool, edgeFound);
    QFETCH(QString, offered);
    QList<DesktopBrowser> installed;
    for (const QString &name : names) {
        if (name.startsWith(QLatin1String("id:")))
            installed << DesktopBrowser{name.mid(3), QStringLiteral("Web"), {}, {}, {}};
        else
            installed << DesktopBrowser{
                QStringLiteral("b%1.desktop").arg(installed.size()), name, {}, {}, {}};
    }
    QCOMPARE(offerText(offeredBrowserPlaces(installed, edgeFound)), offered);
}

void TestSettingsCore::currentChoice_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<BrowserPlace>("place");
    QTest::newRow("empty keeps standard") << "" << BrowserPlace::Standard;
    QTest::newRow("unknown keeps standard") << "netscape" << BrowserPlace::Standard;
    QTest::newRow("chrome") << "chrome" << BrowserPlace::Chrome;
    QTest::newRow("internet explorer") << "internet explorer" << BrowserPlace::InternetExplorer;
    QTest::newRow("edge") << "edge" << BrowserPlace::Edge;
    QTest::newRow("case-sensitive") << "Chrome" << BrowserPlace::Standard;
    // Tested in the order standard, ie, edge, chrome, opera, safari, firefox.
    QTest::newRow("firefox after chrome") << "chrome firefox" << BrowserPlace::Firefox;
    QTest::newRow("order, not position") << "firefox chrome" << BrowserPlace::Firefox;
    QTest::newRow("opera after edge") << "opera edge" << BrowserPlace::Opera;
    QTest::newRow("safari after opera") << "safari opera" << BrowserPlace::Safari;
}

void TestSettingsCore::currentChoice()
{
    QFETCH(QString, stored);
    QFETCH(BrowserPlace, place);
    QCOMPARE(currentBrowserPlace(stored), place);
}

void TestSettingsCore::execLineSplits_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("arguments"); // empty: refused
    QTest::newRow("blanks separate")
        << "firefox  --new-window\t%u" << QStringList{"firefox", "--new-window", "%u"};
    QTest::newRow("quotes group") << "\"/opt/My Browser/run\" -p \"a b\""
                                  << QStringList{"/opt/My Browser/run", "-p", "a b"};
    QTest::newRow("escapes inside quotes") << "sh -c \"echo \\\"x\\\" \\$HOME \\\\ \\`\""
                                           << QStringList{"sh", "-c", "echo \"x\" $HOME \\ `"};
    QTest::newRow("empty quotes are an argument") << "run \"\" x" << QStringList{"run", "", "x"};
    QTest::newRow("quote joins a word") << "run --name=\"a b\"" << QStringList{"run", "--name=a b"};
    QTest::newRow("snap") << "env BAMF_DESKTOP_FILE_HINT=/var/lib/snapd/desktop/applications/"
                             "firefox_firefox.desktop /snap/bin/firefox %u"
                          << QStringList{"env",
                                         "BAMF_DESKTOP_FILE_HINT=/var/lib/snapd/desktop/"
                                         "applications/firefox_firefox.desktop",
                                         "/snap/bin/firefox", "%u"};
    QTest::newRow("unterminated quote") << "run \"a b" << QStringList();
    QTest::newRow("nothing") << "   " << QStringList();
}

void TestSettingsCore::execLineSplits()
{
    QFETCH(QString, value);
    QFETCH(QStringList, arguments);
    const std::optional<QStringList> split = ExecLine::split(value);
    if (arguments.isEmpty())
        QVERIFY(!split);
    else
        QCOMPARE(split.value_or(QStringList{"refused"}), arguments);
}

void TestSettingsCore::execLineFieldCodes_data()
{
    const QString url =
        QStringLiteral("file:///data/Blutdruck-Daten%20im%20Browser/M%C3%BCller.html");
    const QString path = QStringLiteral("/data/Blutdruck-Daten im Browser/Müller.html");
    QTest::addColumn<QStringList>("line");
    QTest::addColumn<QStringList>("expanded");
    QTest::newRow("%f is the path") << QStringList{"b", "%f"} << QStringList{"b", path};
    QTest::newRow("%F is the path") << QStringList{"b", "%F"} << QStringList{"b", path};
    QTest::newRow("%u is a file URL") << QStringList{"b", "%u"} << QStringList{"b", url};
    QTest::newRow("%U is a file URL") << QStringList{"b", "%U"} << QStringList{"b", url};
    QTest::newRow("inside a word")
        << QStringList{"b", "--url=%u"} << QStringList{"b", "--url=" + url};
    QTest::newRow("only the first file code")
        << QStringList{"b", "%U", "%f"} << QStringList{"b", url};
    QTest::newRow("no code appends the path")
        << QStringList{"b", "-n"} << QStringList{"b", "-n", path};
    QTest::newRow("icon, name, file, percent")
        << QStringList{"b", "%i", "--class=%c", "%k", "100%%", "%u"}
        << QStringList{"b",    "--icon", "web", "--class=Web Browser", "/apps/web.desktop",
                       "100%", url};
    QTest::newRow("deprecated and unknown codes vanish")
        << QStringList{"b", "%d", "%D", "%n", "%N", "%v", "%m", "%x", "-a%d", "%f"}
        << QStringList{"b", "-a", path};
    QTest::newRow("flatpak forwarding marks stay")
        << QStringList{"flatpak", "run", "--file-forwarding", "org.mozilla.firefox", "@@u",
                       "%u",      "@@"}
        << QStringList{"flatpak", "run", "--file-forwarding", "org.mozilla.firefox", "@@u",
                       url,       "@@"};
    QTest::newRow("a lone percent at the end stays")
        << QStringList{"b", "50%", "%f"} << QStringList{"b", "50%", path};
}

void TestSettingsCore::execLineFieldCodes()
{
    QFETCH(QStringList, line);
    QFETCH(QStringList, expanded);
    const ExecLine::Fields fields{QStringLiteral("/data/Blutdruck-Daten im Browser/Müller.html"),
                                  QStringLiteral("Web Browser"), QStringLiteral("web"),
                                  QStringLiteral("/apps/web.desktop")};
    QCOMPARE(ExecLine::expand(line, fields), expanded);
    // Without an icon, %i leaves nothing behind.
    QVERIFY(!ExecLine::expand({QStringLiteral("b"), QStringLiteral("%i"), QStringLiteral("%f")},
                              {fields.filePath, {}, {}, {}})
                 .contains(QStringLiteral("--icon")));
}

void TestSettingsCore::linuxBrowsersOfferedAndStarted_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("programsOnPath");
    QTest::addColumn<QStringList>("command"); // program and arguments; empty: default browser
    const QString url = QStringLiteral("file:///charts/Muster%2001.html");
    const QString path = QStringLiteral("/charts/Muster 01.html");
    QTest::newRow("chrome row starts chromium") << "chrome" << true << QStringList{"chromium", url};
    QTest::newRow("flatpak firefox") << "firefox" << true
                                     << QStringList{"flatpak",
                                                    "run",
                                                    "--branch=stable",
                                                    "--arch=x86_64",
                                                    "--command=firefox",
                                                    "--file-forwarding",
                                                    "org.mozilla.firefox",
                                                    "@@u",
                                                    url,
                                                    "@@"};
    QTest::newRow("opera starts opera") << "opera" << true << QStringList{"opera", url};
    // An entry whose program is missing is still the one tried, so that
    // the failure can be told.
    QTest::newRow("entry without its program") << "opera" << false << QStringList{"opera", url};
    QTest::newRow("edge without entry: fixed name")
        << "edge" << false << QStringList{"microsoft-edge", path};
    QTest::newRow("standard") << "standard" << true << QStringList{};
    QTest::newRow("safari") << "safari" << true << QStringList{};
    QTest::newRow("internet explorer")
        << "internet explorer" << true << QStringList{"!iexplore.exe"};
}

void TestSettingsCore::linuxBrowsersOfferedAndStarted()
{
    QFETCH(QString, stored);
    QFETCH(bool, programsOnPath);
    QFETCH(QStringList, command);
    EnvGuard pathGuard("PATH");
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    qputenv("PATH", bin.path().toLocal8Bit());
    if (programsOnPath) {
        for (const char *name : {"chromium", "flatpak", "opera"}) {
            QFile program(bin.path() + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(program.open(QIODevice::WriteOnly));
            program.write("#!/bin/sh\n");
            program.close();
            program.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
    }
    const QList<DesktopBrowser> installed =
        readDesktopBrowsers({kData + QStringLiteral("linux_browsers/applications/")});
    QCOMPARE(offerText(offeredBrowserPlaces(installed, false)), QStringLiteral("S..CF.O"));

    const BrowserStart start =
        browserStartFor(stored, installed, QStringLiteral("/charts/Muster 01.html"));
    if (command.isEmpty()) {
        QCOMPARE(start.kind, BrowserStart::Kind::DefaultBrowser);
    } else if (command.constFirst().startsWith(QLatin1Char('!'))) {
        QCOMPARE(start.kind, BrowserStart::Kind::Unavailable);
        QCOMPARE(start.program, command.constFirst().mid(1));
    } else {
        QCOMPARE(start.kind, BrowserStart::Kind::Program);
        QCOMPARE(QStringList{start.program} + start.arguments, command);
    }
}

void TestSettingsCore::entryWithoutExecStartsByFixedName()
{
    EnvGuard pathGuard("PATH");
    qputenv("PATH", "/nonexistent");
    const QList<DesktopBrowser> installed =
        readDesktopBrowsers({kData + QStringLiteral("noexec/applications/")});
    QCOMPARE(installed.size(), 1);
    QCOMPARE(offerText(offeredBrowserPlaces(installed, false)), QStringLiteral("S...F.."));
    const BrowserStart start = browserStartFor(QStringLiteral("firefox"), installed,
                                               QStringLiteral("/charts/Muster_01_2020.html"));
    QCOMPARE(start.kind, BrowserStart::Kind::Program);
    QCOMPARE(start.program, QStringLiteral("firefox"));
    QCOMPARE(start.arguments, QStringList{QStringLiteral("/charts/Muster_01_2020.html")});

    // Opera without entry or program goes to the default browser, unwarned.
    QCOMPARE(browserStartFor(QStringLiteral("opera"), installed, QString()).kind,
             BrowserStart::Kind::DefaultBrowser);
}

QTEST_GUILESS_MAIN(TestSettingsCore)
#include "tst_settings_core.moc"
