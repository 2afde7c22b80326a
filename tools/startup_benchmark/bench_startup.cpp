// Start-up benchmark: runs itself as a child process several times; each
// child starts the real main window offscreen on a full month and reports
// the milliseconds from its process start to the end of the first paint and
// refresh. The parent prints the median and the largest peak memory.
#include "app/main_window.h"
#include "ui/seam.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Milliseconds since this process was started, from the kernel's record.
double millisecondsSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the whole line
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

class QuietSeam : public DesktopSeam
{
public:
    void showMessage(QWidget *, MessageKind, const QString &text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
};

class FirstPaintWatch : public QObject
{
public:
    explicit FirstPaintWatch(TMainForm *form)
        : m_form(form)
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_reported) {
            // Report once the paint and the refresh it starts have run.
            QTimer::singleShot(0, this, [this] {
                if (m_reported || (m_form && m_form->FirstPaintPending()))
                    return;
                m_reported = true;
                // QByteArray::number always writes a ".", whatever locale
                // QApplication took from the environment.
                const QByteArray line = QByteArray::number(millisecondsSinceProcessStart(), 'f', 2);
                std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TMainForm *m_form; // null for the bare window
    bool m_reported = false;
};

// Shows the window and ends the process once its first paint is done.
int showUntilPainted(QMainWindow &window, TMainForm *form)
{
    FirstPaintWatch watch(form);
    window.installEventFilter(&watch);
    const auto widgets = window.findChildren<QWidget *>();
    for (QWidget *child : widgets)
        child->installEventFilter(&watch);
    window.show();
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    return QApplication::exec();
}

int runChild(int argc, char **argv, const QString &home)
{
    QApplication app(argc, argv);
    QuietSeam seam;
    MainFormEnvironment environment{home + QStringLiteral("/work/"),
                                    home + QStringLiteral("/config/Quenlor/Vantoria.conf"),
                                    QString()};
    TMainForm form(seam, environment);
    return showUntilPainted(form, &form);
}

// The yardstick: a bare Qt main window with a menu and a list.
int runBareChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("Datei"))->addAction(QStringLiteral("beenden"));
    auto *list = new QListWidget(&window);
    list->addItems({QStringLiteral("eins"), QStringLiteral("zwei")});
    window.setCentralWidget(list);
    return showUntilPainted(window, nullptr);
}

// A data folder with the full month and settings that open it at start.
void prepareHome(const QString &home)
{
    const QString work = home + QStringLiteral("/work/");
    const QString year = work + QStringLiteral("Blutdruck-Daten-Galerie/2024/");
    QDir().mkpath(year);
    QDir().mkpath(home + QStringLiteral("/config/Quenlor"));
    const QString month = year + QStringLiteral("Muster_01_2024.tab");
    QFile::copy(QStringLiteral(VANTORIA_TEST_DATA_DIR "/months/Muster_01_2024.tab"), month);
    QFile settings(home + QStringLiteral("/config/Quenlor/Vantoria.conf"));
    if (!settings.open(QIODevice::WriteOnly))
        return;
    const QString text =
        QStringLiteral(
            "[HKEY_CURRENT_USER\\Software\\Quenlor\\Vantoria]\n"
            "\"InstallOrt\"=\"%1\"\n\"DatenSpeicherOrt\"=\"%1\"\n\"BenutzerName\"=\"Muster\"\n"
            "\"TabellenDateiName\"=\"%2\"\n\"UhrzeitMorgens\"=\"07:30\"\n"
            "\"UhrzeitMessung2\"=\"13:00\"\n\"UhrzeitMessung3\"=\"15:30\"\n"
            "\"UhrzeitAbends\"=\"20:40\"\n"
            "\"GalerieVerzeichnisName\"=\"Blutdruck-Daten-Galerie\"\n"
            "\"HtmlVerzeichnisName\"=\"Blutdruck-Daten im Browser\"\n"
            "\"SystolischKurvenFarbe\"=\"16711680\"\n\"DiastolischKurvenFarbe\"=\"32768\"\n"
            "\"PulsKurvenFarbe\"=\"8388863\"\n\"FormFarbe\"=\"410617\"\n"
            "\"ListboxFarbe\"=\"6786300\"\n\"Browser\"=\"standard\"\n"
            "\"LinieBeiNullUnterbrechen\"=dword:00000001\n"
            "\"WerteOberhalbKurveAnzeigen\"=dword:00000001\n"
            "\"DatenwerteOberhalbFarbe\"=\"128\"\n")
            .arg(work, month);
    settings.write(text.toUtf8());
}

} // namespace

int main(int argc, char **argv)
{
    // For timing whole processes from outside: "--prepare HOME" makes the
    // home of a full month, "--child HOME" starts the program on it, and
    // "--bare-child" starts the bare window it is measured against.
    if (argc >= 3 && QByteArray(argv[1]) == "--prepare") {
        prepareHome(QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    if (argc >= 3 && QByteArray(argv[1]) == "--child")
        return runChild(argc, argv, QString::fromLocal8Bit(argv[2]));
    if (argc >= 2 && QByteArray(argv[1]) == "--bare-child")
        return runBareChild(argc, argv);

    const int runs = argc >= 2 ? std::max(1, QByteArray(argv[1]).toInt()) : 11;
    std::vector<double> times;
    long peakKilobytes = 0;
    for (int run = 0; run < runs; ++run) {
        QTemporaryDir home;
        prepareHome(home.path());
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            return 1;
        const pid_t child = fork();
        if (child == 0) {
            dup2(pipeEnds[1], STDOUT_FILENO);
            close(pipeEnds[0]);
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            const QByteArray runtime = (home.path() + QStringLiteral("/runtime")).toLocal8Bit();
            mkdir(runtime.constData(), 0700);
            setenv("XDG_RUNTIME_DIR", runtime.constData(), 1);
            const QByteArray homePath = home.path().toLocal8Bit();
            execl("/proc/self/exe", argv[0], "--child", homePath.constData(),
                  static_cast<char *>(nullptr));
            _exit(127);
        }
        close(pipeEnds[1]);
        char buffer[64] = {};
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer - 1);
        close(pipeEnds[0]);
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "run %d failed\n", run);
            return 1;
        }
        times.push_back(QByteArray(buffer).trimmed().toDouble());
        peakKilobytes = std::max(peakKilobytes, usage.ru_maxrss);
    }
    std::sort(times.begin(), times.end());
    std::printf("start-up to first paint, %d runs: median %.1f ms (min %.1f, max %.1f); peak "
                "memory %.1f MB\n",
                runs, times[times.size() / 2], times.front(), times.back(), peakKilobytes / 1024.0);
    return 0;
}
