#pragma once

#include "base/conversion_error.h"
#include "ui/seam.h"

#include <new>

class QWidget;

// The general error guard around every command: a number that does not
// convert ends that command only, and the user sees the German text.
template <typename Command> void runGuarded(UiSeam &seam, QWidget *parent, Command &&command)
{
    try {
        command();
    } catch (const ConversionError &error) {
        seam.showMessage(parent, UiSeam::MessageKind::Error, error.message());
    } catch (const std::bad_alloc &) {
        seam.showMessage(parent, UiSeam::MessageKind::Error,
                         QStringLiteral("Nicht genügend Arbeitsspeicher für diesen Befehl."));
    }
}
