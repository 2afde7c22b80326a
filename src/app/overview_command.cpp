#include "app/overview_command.h"

#include "app/command_guard.h"
#include "app/form_start.h"
#include "app/month_commands.h"
#include "base/conversion_error.h"
#include "charts/chart_script.h"
#include "charts/gui/Jahresuebersicht.h"
#include "charts/gui/show_chart_page.h"
#include "charts/overview_page.h"
#include "storage/gallery.h"
#include "storage/open_month.h"
#include "storage/settings_store.h"
#include "ui/seam.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

#include <algorithm>

namespace {

// As the main window starts: a colour that is not stored or not readable
// stays black.
qint32 colour(const SettingsStore &settings, SettingKey key)
{
    try {
        return settings.readColour(key).value_or(0);
    } catch (const ConversionError &) {
        return 0;
    }
}

void showOverview(const MonthCommands &c, TJahresuebersichtDlg &dialog)
{
    QMainWindow &form = c.window;
    UiSeam &seam = c.seam;
    const QString user = c.month.userName();
    if (user.isEmpty()) {
        seam.showMessage(&form, UiSeam::MessageKind::Information,
                         QStringLiteral("Bitte geben Sie zuerst Ihren Namen ein."));
        return;
    }
    // Before the first reading of a new month no month file is open; the
    // entry form then starts in today's month, and so does the overview.
    QDate openMonth(c.month.year().toInt(), c.month.month().toInt(), 1);
    if (!openMonth.isValid())
        openMonth = seam.today();
    const QString gallery = c.month.galleryFolder();
    dialog.prepare(user, openMonth, Gallery::userMonths(gallery, user).value_or(MonthRange{}));
    if (seam.execDialog(dialog) != QDialog::Accepted || !dialog.months().isValid())
        return;
    const MonthRange range = dialog.months();
    OverviewInputs inputs;
    inputs.userName = user;
    inputs.months = monthFigures(
        Gallery::periodMonths(Gallery::readPeriod(gallery, user, range.first, range.last)));
    if (std::none_of(inputs.months.cbegin(), inputs.months.cend(),
                     [](const MonthFigures &month) { return month.hasReadings(); })) {
        seam.showMessage(&form, UiSeam::MessageKind::Information,
                         QStringLiteral("Von ") + user + QStringLiteral(" gibt es ") +
                             (range.first == range.last ? QStringLiteral("im Monat ")
                                                        : QStringLiteral("in den Monaten ")) +
                             describeMonths(range) +
                             QStringLiteral(" keine Messungen. Es wurde keine Übersicht "
                                            "erstellt."));
        return;
    }
    inputs.systolicColour = colour(c.settings, SettingKey::SystolicColour);
    inputs.diastolicColour = colour(c.settings, SettingKey::DiastolicColour);
    inputs.pulseColour = colour(c.settings, SettingKey::PulseColour);
    // The page goes into the chart folder of its last month's year.
    const ChartPublishContext context{
        QString(),           QString::number(range.last.year()), c.places.htmlFolder,
        c.places.dataFolder, locateShippedChartScript(),         c.settings};
    ShowNamedChartPage(seam, &form, context, overviewPageName(user, range.first, range.last),
                       buildOverviewPage(inputs));
}

} // namespace

void installYearOverview(const MonthCommands &commands)
{
    QMainWindow &form = commands.window;
    auto *dialog = new TJahresuebersichtDlg(&form);
    auto *action = new QAction(QStringLiteral("Jahresübersicht im Browser …"), &form);
    action->setObjectName(QStringLiteral("Jahresuebersicht1"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    form.findChild<QMenu *>(QStringLiteral("Tabelle1"))->addAction(action);
    QObject::connect(action, &QAction::triggered, &form, [commands, dialog] {
        runGuarded(commands.seam, &commands.window,
                   [&commands, dialog] { showOverview(commands, *dialog); });
    });
}
