#pragma once

#include "storage/open_month.h"

#include <QString>

class QWidget;
class UiSeam;

// Tells what the open month's commands have to tell. A version that could
// not be kept before a month or remark file was replaced never stops the
// save; the user hears of it once per program run, not at every save.
class VersionKeeping
{
public:
    explicit VersionKeeping(UiSeam &seam);

    // Shows each notice in its order; a version problem only once.
    void tell(QWidget *parent, const OpenMonth::Notices &notices);
    // Tells a problem of keeping a version, unless one was told already.
    // Told only once the save went through: a failed save has its own
    // message, and the file it left unchanged needs no version.
    void tellOnce(QWidget *parent, const QString &problem);

private:
    UiSeam &m_seam;
    bool m_told = false;
};
