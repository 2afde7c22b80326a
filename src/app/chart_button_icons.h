#pragma once

#include <QIcon>

// The pictures of the two chart buttons, drawn so they stay sharp at any size.
namespace ChartButtonIcons {

QIcon barChart();
QIcon lineChart();

} // namespace ChartButtonIcons
