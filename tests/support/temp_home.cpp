#include "support/temp_home.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

TempHome::TempHome()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("work"));
    QDir(m_dir.path()).mkpath(QStringLiteral("config"));
}

QString TempHome::workFolder() const
{
    return m_dir.path() + QStringLiteral("/work/");
}

QString TempHome::settingsFile() const
{
    return m_dir.path() + QStringLiteral("/config/Quenlor/Vantoria.conf");
}

void TempHome::writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray TempHome::readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QMap<QString, QByteArray> TempHome::filesBelow(const QString &folder, const QString &leftOut)
{
    QMap<QString, QByteArray> files;
    const QDir base(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString inside = base.relativeFilePath(path);
        if (leftOut.isEmpty() || !inside.startsWith(leftOut + QLatin1Char('/')))
            files.insert(inside, readFile(path));
    }
    return files;
}
