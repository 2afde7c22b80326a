#pragma once

#include <QStringView>

#include <algorithm>

// Where `marker` first starts in `text`, or -1: what QStringView::indexOf
// gives, for the short markers of an entry line ("den", "Z=", "Gewicht=").
// The fast search for the first character does most of the work; a line is
// read once for each of its markers, so this is worth the few lines.
inline qsizetype indexOfMarker(QStringView text, QStringView marker)
{
    if (marker.isEmpty())
        return text.indexOf(marker);
    const qsizetype last = text.size() - marker.size();
    for (qsizetype at = text.indexOf(marker.front()); at >= 0 && at <= last;
         at = text.indexOf(marker.front(), at + 1)) {
        if (std::equal(marker.begin() + 1, marker.end(), text.begin() + at + 1))
            return at;
    }
    return -1;
}
