#pragma once

#include <QByteArray>
#include <QMap>
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
    // Every file below a folder (hidden ones too) with its bytes, by its path
    // inside the folder; the files below the subfolder `leftOut` are passed
    // over when it is given.
    static QMap<QString, QByteArray> filesBelow(const QString &folder,
                                                const QString &leftOut = QString());

private:
    QTemporaryDir m_dir;
};
