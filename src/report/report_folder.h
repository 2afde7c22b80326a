#pragma once

#include <QString>

// Makes the folder of the doctor's reports, and whatever is missing above it.
// Returns an empty text when the folder stands afterwards; otherwise the
// German message that names the folder and the reason it could not be made.
// The folder is optional output: only the report command needs it, so its
// failure is told there and never stops the diary.
QString makeReportFolder(const QString &folder);
