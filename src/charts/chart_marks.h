#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A mark on the line charts of a page: a dashed vertical line at the tick
// whose label has the key `tick`, and a text beside it.
struct TickMark
{
    QString tick;
    QString text;
};

// How a page's charts are read by the marks: the script that turns the label
// `labels[i]` into a tick key, and the script of the texts' font family.
struct TickKeys
{
    QString labelKey;
    QString fontFamily;
};

// The script lines of a Chart.js plugin that draws the marks on every line
// chart of the page, several texts at one tick one under the other; none
// without marks. They belong before the charts are made.
QStringList tickMarkScript(const QList<TickMark> &marks, const TickKeys &keys);
