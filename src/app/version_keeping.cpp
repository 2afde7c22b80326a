#include "app/version_keeping.h"

#include "storage/versions.h"
#include "ui/seam.h"

#include <QDateTime>

VersionKeeping::VersionKeeping(UiSeam &seam)
    : m_seam(seam)
{}

QString VersionKeeping::keepBefore(const QString &galleryFolder, const QString &file,
                                   const QStringList &nextLines)
{
    return Versions::keepBefore(galleryFolder, file, nextLines, QDateTime::currentDateTime());
}

void VersionKeeping::tellOnce(QWidget *parent, const QString &problem)
{
    if (problem.isEmpty() || m_told)
        return;
    m_told = true;
    m_seam.showMessage(
        parent, UiSeam::MessageKind::Warning,
        QStringLiteral("Vor dem Speichern konnte keine frühere Fassung gesichert werden:\r\n") +
            problem +
            QStringLiteral("\r\n\r\nIhre Eingaben werden trotzdem gespeichert. Solange der Ordner "
                           "„Sicherungen“ in Ihrer Galerie nicht beschrieben werden kann, "
                           "entstehen keine früheren Fassungen. Diese Meldung erscheint bis zum "
                           "nächsten Start von Vantoria nur einmal."));
}
