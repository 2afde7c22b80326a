#pragma once

#include "ui/seam.h"

#include <QList>

#include <functional>

// Records every message, question, dialog and launch, and answers from a
// script, so GUI tests can drive the real windows without a person.
class FakeSeam : public UiSeam
{
public:
    struct Call
    {
        QString kind; // "information", "warning", "plain", "question", "open", ...
        QString text;
    };

    // Scripted answers; when a queue is empty the defaults apply
    // (Yes, cancel the file dialogs, cancel the colour chooser, cancel printing).
    QList<bool> yesNoAnswers;
    QList<QString> openFileAnswers;
    QList<QString> saveFileAnswers;
    QList<std::optional<QColor>> colourAnswers;
    std::function<bool(QPrinter &)> printAnswer;
    // Runs instead of exec() for our own modal windows; gets the dialog and
    // returns its result code. Default: reject.
    std::function<int(QDialog &)> dialogHandler;
    bool launchSucceeds = true;
    // Messages and questions are recorded and then shown as the real boxes
    // the user sees; the test answers them by clicking their buttons.
    bool realMessageBoxes = false;
    QDate fixedToday = QDate(2017, 3, 15);
    QTime fixedTime = QTime(7, 40);

    QList<Call> calls;
    QList<QColor> colourChooserStarts;
    int endProgramCount = 0;

    // Texts of all recorded calls of one kind, in order.
    QStringList texts(const QString &kind) const;
    // All message texts (information, warning, plain, question) in order.
    QStringList messages() const;
    void clear() { calls.clear(); }

    void showMessage(QWidget *parent, MessageKind kind, const QString &text) override;
    bool askYesNo(QWidget *parent, MessageKind kind, const QString &text) override;
    QString getOpenFileName(QWidget *parent, const QString &folder, const QString &filter) override;
    QString getSaveFileName(QWidget *parent, const QString &proposedPath,
                            const QString &filter) override;
    std::optional<QColor> chooseColour(QWidget *parent, const QColor &initial) override;
    bool confirmPrint(QWidget *parent, QPrinter &printer) override;
    int execDialog(QDialog &dialog) override;
    bool openDocument(const QString &path) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
    QDate today() override;
    QTime timeOfDay() override;
    void endProgramNow() override;
};
