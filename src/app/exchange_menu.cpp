#include "app/exchange_menu.h"

#include "app/command_guard.h"
#include "app/form_start.h"
#include "app/month_commands.h"
#include "exchange/gui/Exportieren.h"
#include "exchange/gui/Importieren.h"
#include "exchange/gui/exchange_commands.h"
#include "storage/open_month.h"
#include "storage/settings_store.h"

#include <QAction>
#include <QDir>
#include <QMainWindow>
#include <QMenu>

namespace {

ExchangeContext contextOf(const MonthCommands &c)
{
    ExchangeContext context;
    context.galleryFolder = c.month.galleryFolder();
    context.dataFolder = c.places.dataFolder;
    context.user = c.month.userName();
    const QDate open(c.month.year().toInt(), c.month.month().toInt(), 1);
    context.openMonth = open.isValid() ? open : c.seam.today();
    for (Slot slot : kAllSlots) {
        context.slotTimes[std::size_t(slot)] = c.settings.read(timeSettingOf(slot));
    }
    return context;
}

QAction *addCommand(QMainWindow &form, QAction *before, const QString &name, const QString &text)
{
    auto *action = new QAction(text, &form);
    action->setObjectName(name);
    form.findChild<QMenu *>(QStringLiteral("Datei1"))->insertAction(before, action);
    return action;
}

void importAndShow(const MonthCommands &c, TImportierenDlg &dialog)
{
    // Its summary is shown before the open month is loaded anew.
    OpenMonth::OwnWrites own(c.month);
    const QStringList written =
        ExchangeCommands::importReadings(&c.window, c.seam, dialog, contextOf(c));
    own.wrote(written);
    const QString open = QDir::cleanPath(c.month.path());
    for (const QString &path : written) {
        if (!open.isEmpty() && QDir::cleanPath(path) == open) {
            c.reload();
            return;
        }
    }
}

} // namespace

void installExchangeMenu(const MonthCommands &commands)
{
    QMainWindow &form = commands.window;
    UiSeam &seam = commands.seam;
    // Beside "öffnen", before the spacer above "beenden".
    QAction *spacer = form.findChild<QAction *>(QStringLiteral("N2"));
    auto *exportDialog = new TExportierenDlg(&form);
    auto *importDialog = new TImportierenDlg(seam, &form);
    QAction *exportAction =
        addCommand(form, spacer, QStringLiteral("Exportieren1"), QStringLiteral("Exportieren …"));
    QAction *importAction =
        addCommand(form, spacer, QStringLiteral("Importieren1"), QStringLiteral("Importieren …"));
    QObject::connect(exportAction, &QAction::triggered, &form, [commands, exportDialog] {
        runGuarded(commands.seam, &commands.window, [&commands, exportDialog] {
            ExchangeCommands::exportReadings(&commands.window, commands.seam, *exportDialog,
                                             contextOf(commands));
        });
    });
    QObject::connect(importAction, &QAction::triggered, &form, [commands, importDialog] {
        runGuarded(commands.seam, &commands.window,
                   [&commands, importDialog] { importAndShow(commands, *importDialog); });
    });
}
