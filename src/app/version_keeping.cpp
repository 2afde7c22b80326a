#include "app/version_keeping.h"

#include "ui/seam.h"

VersionKeeping::VersionKeeping(UiSeam &seam)
    : m_seam(seam)
{}

void VersionKeeping::tell(QWidget *parent, const OpenMonth::Notices &notices)
{
    for (const OpenMonth::Notice &notice : notices) {
        switch (notice.kind) {
        case OpenMonth::Notice::Kind::Plain:
            m_seam.showMessage(parent, UiSeam::MessageKind::Plain, notice.text);
            break;
        case OpenMonth::Notice::Kind::Information:
            m_seam.showMessage(parent, UiSeam::MessageKind::Information, notice.text);
            break;
        case OpenMonth::Notice::Kind::Warning:
            m_seam.showMessage(parent, UiSeam::MessageKind::Warning, notice.text);
            break;
        case OpenMonth::Notice::Kind::VersionProblem:
            tellOnce(parent, notice.text);
            break;
        }
    }
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
