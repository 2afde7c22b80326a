#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh working folder and settings location for one test: the settings
// file lies in <root>/config/Quenlor/Vantoria.conf, the working folder is
// <root>/work/ (ending in '/').
class TempHome
{
public:
    TempHome();
    bool isValid() const { return m_dir.isValid(); }
    QString root() const { return m_dir.path(); }
    QString workFolder() const; // ends in '/'
    QString settingsFile() const;
    // Writes a file (creating folders) with the given bytes.
    static void writeFile(const QString &path, const QByteArray &bytes);
    static QByteArray readFile(const QString &path);

private:
    QTemporaryDir m_dir;
};
