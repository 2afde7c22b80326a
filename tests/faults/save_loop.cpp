// Helper of the kill test: saves a month file or a remark over and over,
// alternating between two versions, until it is killed. In the mode
// "version" each save first keeps the month file's present content as a
// version, as the program does, with a clock that moves on an hour per save
// from a start the test chooses (so the pruning works as well).
#include "base/text_file.h"
#include "save_contents.h"
#include "storage/versions.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3 && argc != 4)
        return 2;
    const QByteArray mode(argv[1]);
    const bool month = mode != "remark";
    const bool versions = mode == "version";
    const QString path = QString::fromLocal8Bit(argv[2]);
    QDir gallery = QFileInfo(path).absoluteDir();
    gallery.cdUp();
    const QDateTime start =
        QDateTime(QDate(2017, 3, 1), QTime(8, 0))
            .addSecs(3600LL * (argc == 4 ? QByteArray(argv[3]).toLongLong() : 0));
    const QStringList contents[2] = {
        month ? SaveContents::monthFile(false) : SaveContents::remark(false),
        month ? SaveContents::monthFile(true) : SaveContents::remark(true)};
    for (unsigned long round = 0;; ++round) {
        if (versions &&
            !Versions::keepBefore(gallery.path() + QLatin1Char('/'), path, contents[round % 2],
                                  start.addSecs(3600LL * qint64(round)))
                 .isEmpty())
            return 1;
        if (!TextFile::writeLines(path, contents[round % 2]))
            return 1;
        if (round == 0) {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
        }
    }
}
