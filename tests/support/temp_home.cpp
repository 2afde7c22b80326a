#include "support/temp_home.h"

#include <QDir>
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
