#include "charts/chart_script.h"

#include <QCoreApplication>
#include <QFileInfo>

QString locateShippedChartScript()
{
    QStringList candidates;
    if (QCoreApplication::instance()) {
        candidates.append(QCoreApplication::applicationDirPath() +
                          QStringLiteral("/../share/vantoria/scripts/Chart.min.js"));
    }
    candidates.append(QStringLiteral(VANTORIA_INSTALLED_CHART_SCRIPT));
    candidates.append(QStringLiteral(VANTORIA_BUILD_CHART_SCRIPT));
    for (const QString &path : candidates) {
        if (QFileInfo(path).isFile())
            return QFileInfo(path).absoluteFilePath();
    }
    return {};
}
