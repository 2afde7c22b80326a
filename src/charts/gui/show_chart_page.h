#pragma once

#include <QString>
#include <QStringList>

class QWidget;
class SettingsStore;
class UiSeam;

// Where a chart page goes and what it needs beside it.
struct ChartPublishContext
{
    QString monthFilePath;       // MonthFilePath of the open month
    QString openYear;            // "2020"
    QString htmlFolder;          // ends in '/'
    QString dataFolder;          // ends in '/'
    QString installedScriptPath; // shipped Chart.min.js, used when the data folder has none
    const SettingsStore &settings;
};

// Writes the page into the chart folder of the year, puts Chart.min.js beside
// it (never replacing one) and opens it in the browser of the setting Browser.
void ShowChartPage(UiSeam &seam, QWidget *parent, const ChartPublishContext &context,
                   const QStringList &pageLines);

// The same for a page with a name of its own (the overview of several
// months, with openYear the year of its last month; monthFilePath is not
// read). A page that cannot be written is told with its name and folder.
void ShowNamedChartPage(UiSeam &seam, QWidget *parent, const ChartPublishContext &context,
                        const QString &pageName, const QStringList &pageLines);

// Starts a program found on PATH with the arguments; warns
// "Datei: <program> kann nicht geöffnet werden" when it is missing or does
// not start. Returns whether it started.
bool LaunchProgram(UiSeam &seam, QWidget *parent, const QString &program,
                   const QStringList &arguments);
