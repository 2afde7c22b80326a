// Helper of the kill test: saves a month file or a remark over and over,
// alternating between two versions, until it is killed.
#include "base/text_file.h"
#include "save_contents.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    const bool month = QByteArray(argv[1]) == "month";
    const QString path = QString::fromLocal8Bit(argv[2]);
    const QStringList versions[2] = {
        month ? SaveContents::monthFile(false) : SaveContents::remark(false),
        month ? SaveContents::monthFile(true) : SaveContents::remark(true)};
    for (unsigned long round = 0;; ++round) {
        if (!TextFile::writeLines(path, versions[round % 2]))
            return 1;
        if (round == 0) {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
        }
    }
}
