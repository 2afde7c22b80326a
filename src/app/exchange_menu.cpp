#include "app/exchange_menu.h"

#include "app/command_guard.h"
#include "app/main_window.h"
#include "exchange/gui/Exportieren.h"
#include "exchange/gui/Importieren.h"
#include "exchange/gui/exchange_commands.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace {

ExchangeContext contextOf(TMainForm &form, UiSeam &seam)
{
    ExchangeContext context;
    context.galleryFolder = form.currentMonth().galleryFolder();
    context.dataFolder = form.DataFolder();
    context.user = form.currentMonth().userName();
    const QDate open(form.currentMonth().year().toInt(), form.currentMonth().month().toInt(), 1);
    context.openMonth = open.isValid() ? open : seam.today();
    for (Slot slot : kAllSlots) {
        context.slotTimes[std::size_t(slot)] = form.settings().read(timeSettingOf(slot));
    }
    return context;
}

QAction *addCommand(TMainForm &form, QAction *before, const QString &name, const QString &text)
{
    auto *action = new QAction(text, &form);
    action->setObjectName(name);
    form.findChild<QMenu *>(QStringLiteral("Datei1"))->insertAction(before, action);
    return action;
}

void importAndShow(TMainForm &form, UiSeam &seam, TImportierenDlg &dialog)
{
    const QStringList written =
        ExchangeCommands::importReadings(&form, seam, dialog, contextOf(form, seam));
    const QString open = QDir::cleanPath(form.currentMonth().path());
    for (const QString &path : written) {
        if (!open.isEmpty() && QDir::cleanPath(path) == open) {
            form.MachEs(form.currentMonth().path());
            return;
        }
    }
}

} // namespace

void installExchangeMenu(TMainForm &form, UiSeam &seam)
{
    // Beside "öffnen", before the spacer above "beenden".
    QAction *spacer = form.findChild<QAction *>(QStringLiteral("N2"));
    auto *exportDialog = new TExportierenDlg(&form);
    auto *importDialog = new TImportierenDlg(seam, &form);
    QAction *exportAction =
        addCommand(form, spacer, QStringLiteral("Exportieren1"), QStringLiteral("Exportieren …"));
    QAction *importAction =
        addCommand(form, spacer, QStringLiteral("Importieren1"), QStringLiteral("Importieren …"));
    QObject::connect(exportAction, &QAction::triggered, &form, [&form, &seam, exportDialog] {
        runGuarded(seam, &form, [&form, &seam, exportDialog] {
            ExchangeCommands::exportReadings(&form, seam, *exportDialog, contextOf(form, seam));
        });
    });
    QObject::connect(importAction, &QAction::triggered, &form, [&form, &seam, importDialog] {
        runGuarded(seam, &form,
                   [&form, &seam, importDialog] { importAndShow(form, seam, *importDialog); });
    });
}
