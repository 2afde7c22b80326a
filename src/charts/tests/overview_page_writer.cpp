// Writes month files into a gallery, reads them as the overview command does
// and writes three overview pages with Chart.min.js beside them, for the
// browser test: a period of eight months whose figures the test knows by
// hand, two full years, and one month of a user whose name holds markup.
#include "charts/overview_page.h"

#include "base/text_file.h"
#include "storage/gallery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

const char kInjectedName[] = "Anna <img src=x onerror=window.injected=1> & Co";

QByteArray monthFile(const QString &user, const QStringList &entries)
{
    QString text = QStringLiteral("[Personendaten]\r\nBenutzerName=") + user +
                   QStringLiteral("\r\nDatum=-\r\n1M=1\r\n2M=1\r\n3M=1\r\n4M=1\r\n\r\n");
    for (const QString &entry : entries)
        text += entry + QStringLiteral("\r\n");
    return text.toLatin1();
}

bool writeMonth(const QString &gallery, const QString &user, int month, int year,
                const QStringList &entries)
{
    const QString path =
        gallery +
        QStringLiteral("%1/%2_%3_%1.tab").arg(year).arg(user).arg(month, 2, 10, QLatin1Char('0'));
    return QDir().mkpath(QFileInfo(path).path()) &&
           TextFile::writeBytes(path, monthFile(user, entries));
}

// October 2025 to May 2026: November without a file, December unreadable.
bool writeEightMonths(const QString &gallery)
{
    const QString user = QStringLiteral("Muster");
    const auto e = [](const char *text) { return QString::fromLatin1(text); };
    return writeMonth(gallery, user, 10, 2025,
                      {e("Morgens den 01.10.2025 Z=07:30 s=150, d=95, p=70, Gewicht=82,0"),
                       e("Abends den 01.10.2025 Z=20:00 s=146, d=92, p=74, Gewicht=0"),
                       e("Morgens den 02.10.2025 Z=07:30 s=142, d=88, p=68, Gewicht=81,0")}) &&
           QDir().mkpath(gallery + QStringLiteral("2025/Muster_12_2025.tab")) &&
           writeMonth(gallery, user, 1, 2026,
                      {e("Morgens den 05.01.2026 Z=07:30 s=140, d=90, p=72, Gewicht=0"),
                       e("Abends den 05.01.2026 Z=20:00 s=150, d=94, p=76, Gewicht=0")}) &&
           writeMonth(gallery, user, 2, 2026,
                      {e("Morgens den 10.02.2026 Z=07:30 s=135, d=85, p=70, Gewicht=0"),
                       e("Abends den 10.02.2026 Z=20:00 s=1x0, d=80, p=60, Gewicht=0")}) &&
           writeMonth(gallery, user, 3, 2026,
                      {e("Abends den 01.03.2026 Z=20:00 s=138, d=86, p=70, Gewicht=0"),
                       e("Abends den 02.03.2026 Z=20:00 s=139, d=87, p=71, Gewicht=0")}) &&
           writeMonth(gallery, user, 4, 2026,
                      {e("Morgens den 01.04.2026 Z=07:30 s=128, d=80, p=66, Gewicht=80,0")}) &&
           writeMonth(gallery, user, 5, 2026,
                      {e("Morgens den 01.05.2026 Z=07:30 s=130, d=82, p=64, Gewicht=0"),
                       e("Abends den 01.05.2026 Z=20:00 s=134, d=84, p=66, Gewicht=0")});
}

// 2024 and 2025, a Morgens and an Abends reading every day, falling slowly.
bool writeTwoYears(const QString &gallery)
{
    for (QDate month(2024, 1, 1); month.year() < 2026; month = month.addMonths(1)) {
        const int index = (month.year() - 2024) * 12 + month.month() - 1;
        QStringList entries;
        for (int day = 1; day <= month.daysInMonth(); ++day) {
            const QDate date(month.year(), month.month(), day);
            const int s = 152 - index / 2 + day % 7;
            const int d = 94 - index / 3 + day % 5;
            const QString weight = QStringLiteral("%1,%2").arg(86 - index / 4).arg(day % 10);
            entries << Reading::format(Slot::Morning, date, QStringLiteral("07:15"), s, d,
                                       64 + day % 6, weight)
                    << Reading::format(Slot::Evening, date, QStringLiteral("21:00"), s + 6, d + 3,
                                       70 + day % 4, QStringLiteral("0"));
        }
        if (!writeMonth(gallery, QStringLiteral("Erika"), month.month(), month.year(), entries))
            return false;
    }
    return true;
}

bool writePage(const QString &gallery, const QString &folder, const QString &user,
               const QDate &first, const QDate &last)
{
    OverviewInputs in;
    in.userName = user;
    in.months =
        monthFigures(Gallery::periodMonths(Gallery::readPeriod(gallery, user, first, last)));
    in.systolicColour = 255;       // #FF0000
    in.diastolicColour = 0x008000; // #008000
    in.pulseColour = 0x800000;     // #000080
    QString error;
    if (!TextFile::writeLines(folder + QLatin1Char('/') + overviewPageName(user, first, last),
                              buildOverviewPage(in), &error)) {
        qWarning("%s", qPrintable(error));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: overview_page_writer <folder>");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString gallery = folder + QStringLiteral("/gallery/");
    QDir(gallery).removeRecursively();
    QDir().mkpath(folder);
    QFile::remove(folder + QStringLiteral("/Chart.min.js"));
    if (!QFile::copy(QStringLiteral(VANTORIA_BUILD_CHART_SCRIPT),
                     folder + QStringLiteral("/Chart.min.js")))
        return 1;
    const QString injected = QString::fromUtf8(kInjectedName);
    const bool written =
        writeEightMonths(gallery) && writeTwoYears(gallery) &&
        writeMonth(
            gallery, injected, 7, 2024,
            {QStringLiteral("Morgens den 03.07.2024 Z=07:30 s=121, d=79, p=60, Gewicht=0")}) &&
        writePage(gallery, folder, QStringLiteral("Muster"), QDate(2025, 10, 1),
                  QDate(2026, 5, 1)) &&
        writePage(gallery, folder, QStringLiteral("Erika"), QDate(2024, 1, 1),
                  QDate(2025, 12, 1)) &&
        writePage(gallery, folder, injected, QDate(2024, 7, 1), QDate(2024, 7, 1));
    return written ? 0 : 1;
}
