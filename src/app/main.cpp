#include "app/diary_instance.h"
#include "app/main_window.h"
#include "remind/notifier.h"
#include "remind/reminder_lock.h"
#include "remind/reminder_service.h"
#include "storage/settings_store.h"
#include "ui/seam.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QProcess>
#include <QTimer>
#include <QTranslator>

namespace {

// The data installed with the program (help document, chart library):
// beside the program (<prefix>/share/vantoria/), in the prefix it was built
// for, or in the build tree during development.
QString installedDataFolder()
{
    const QStringList candidates = {
        QDir::cleanPath(QCoreApplication::applicationDirPath() +
                        QStringLiteral("/../share/vantoria")) +
            QLatin1Char('/'),
        QStringLiteral(VANTORIA_INSTALLED_DATA_DIR),
        QStringLiteral(VANTORIA_BUILD_DATA_DIR),
    };
    for (const QString &folder : candidates) {
        if (QFileInfo::exists(folder + QStringLiteral("Blutdruckmesswerte-Hilfe.pdf")))
            return folder;
    }
    return candidates.constFirst();
}

// What the diary was started for: "--erinnerungen" runs the reminders
// without a window; "--schnelleingabe=Morgens" and "--arztbericht" come from
// a reminder's action.
struct StartRequest
{
    bool reminders = false;
    bool report = false;
    std::optional<Slot> quickEntry;
    bool quickEntryAsked = false;

    // The line a running diary is handed; empty for a normal start.
    QByteArray forwarded() const
    {
        if (report)
            return "arztbericht";
        if (quickEntryAsked)
            return "schnelleingabe " +
                   (quickEntry ? slotInfo(*quickEntry).label.toUtf8() : QByteArray());
        return QByteArray();
    }
};

std::optional<Slot> slotOfLabel(const QString &label)
{
    for (const Slot slot : kAllSlots) {
        if (slotInfo(slot).label == label)
            return slot;
    }
    return std::nullopt;
}

StartRequest startRequest(int argc, char *argv[])
{
    StartRequest request;
    const QString quickEntry = QStringLiteral("--schnelleingabe");
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QStringLiteral("--erinnerungen")) {
            request.reminders = true;
        } else if (argument == QStringLiteral("--arztbericht")) {
            request.report = true;
        } else if (argument == quickEntry || argument.startsWith(quickEntry + QLatin1Char('='))) {
            request.quickEntryAsked = true;
            request.quickEntry = slotOfLabel(argument.mid(quickEntry.size() + 1));
        }
    }
    return request;
}

// The reminders while the diary is closed: one process per user.
int runReminders(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Vantoria"));
    QCoreApplication::setOrganizationName(QStringLiteral("Quenlor"));
    ReminderLock lock(ReminderLock::defaultPath());
    if (!lock.tryLock())
        return 0; // the reminders run already; they follow the settings file
    Notifier notifier(QDBusConnection::sessionBus());
    ReminderService service(
        SettingsStore::defaultFilePath(), notifier, [](const QStringList &arguments) {
            return QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
        });
    QObject::connect(&service, &ReminderService::nothingLeft, &app, &QCoreApplication::quit);
    if (!service.start())
        return 0;
    return QCoreApplication::exec();
}

// A request of a reminder's action, in the window that runs.
void serve(TMainForm &form, const QByteArray &request)
{
    if (QWidget *modal = QApplication::activeModalWidget()) {
        // A dialog is open already: it comes to the front, and stays.
        modal->raise();
        modal->activateWindow();
        return;
    }
    form.showNormal();
    form.raise();
    form.activateWindow();
    if (request == "arztbericht") {
        if (auto *report = form.findChild<QAction *>(QStringLiteral("Arztbericht1")))
            report->trigger();
    } else if (request.startsWith("schnelleingabe")) {
        form.openQuickEntry(slotOfLabel(QString::fromUtf8(request.mid(15))));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    const StartRequest request = startRequest(argc, argv);
    if (request.reminders)
        return runReminders(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantoria"));
    QApplication::setOrganizationName(QStringLiteral("Quenlor"));
    QIcon icon = QIcon::fromTheme(QStringLiteral("vantoria"));
    if (icon.isNull()) {
        for (int size : {32, 64, 128, 256})
            icon.addFile(QStringLiteral(":/icons/vantoria-%1.png").arg(size));
    }
    QApplication::setWindowIcon(icon);

    // The standard buttons of message boxes and dialogs in German.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    DesktopSeam seam;
    MainFormEnvironment environment;
    environment.startFolder = QDir::currentPath();
    environment.settingsFile = SettingsStore::defaultFilePath();
    environment.installedDataFolder = installedDataFolder();
    // A reminder's action with the diary open: that diary takes it.
    const QByteArray forwarded = request.forwarded();
    const QString socketPath = DiaryInstance::socketPath();
    if (!forwarded.isEmpty() && DiaryInstance::forward(socketPath, forwarded))
        return 0;
    TMainForm form(seam, environment);
    if (form.endedAtStart())
        return 0;
    form.show();
    DiaryListener listener;
    QObject::connect(&listener, &DiaryListener::requested, &form, [&form](const QByteArray &line) {
        // Out of the socket's handler: the dialogs run their own loop.
        QTimer::singleShot(0, &form, [&form, line] { serve(form, line); });
    });
    // After the first paint: the start stays as fast as it was.
    QTimer::singleShot(0, &listener, [&listener, socketPath, forwarded, &form] {
        listener.listen(socketPath);
        if (!forwarded.isEmpty())
            serve(form, forwarded);
    });
    return QApplication::exec();
}
