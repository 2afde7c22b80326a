#pragma once

#include <QString>
#include <QStringList>

class QWidget;
class UiSeam;

// Keeps a version before the window replaces a month or remark file. A
// version that cannot be kept never stops the save; the user hears of it
// once per program run, not at every save.
class VersionKeeping
{
public:
    explicit VersionKeeping(UiSeam &seam);

    // Returns why no version could be kept, or an empty text.
    QString keepBefore(const QString &galleryFolder, const QString &file,
                       const QStringList &nextLines);
    // Tells a problem of keeping a version, unless one was told already.
    // Told only once the save went through: a failed save has its own
    // message, and the file it left unchanged needs no version.
    void tellOnce(QWidget *parent, const QString &problem);

private:
    UiSeam &m_seam;
    bool m_told = false;
};
