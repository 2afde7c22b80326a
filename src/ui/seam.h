#pragma once

#include <QColor>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

class QDialog;
class QPrinter;
class QWidget;

// Everything modal or outside the process goes through this one object, so
// that tests can record what the user would have seen and answer for them.
class UiSeam
{
public:
    // Error is the general error display of a command that failed.
    enum class MessageKind { Information, Warning, Plain, Question, Error };

    virtual ~UiSeam() = default;

    // Modal message box with an OK button.
    virtual void showMessage(QWidget *parent, MessageKind kind, const QString &text) = 0;
    // Modal Yes/No box; true for Yes. kind is Question or Information (icon).
    virtual bool askYesNo(QWidget *parent, MessageKind kind, const QString &text) = 0;

    // The file-open dialog; an empty text when cancelled.
    virtual QString getOpenFileName(QWidget *parent, const QString &folder,
                                    const QString &filter) = 0;
    // The file-save dialog, opened on `proposedPath`; an empty text when
    // cancelled. It asks before an existing file is replaced.
    virtual QString getSaveFileName(QWidget *parent, const QString &proposedPath,
                                    const QString &filter) = 0;
    // The colour chooser; nullopt when cancelled.
    virtual std::optional<QColor> chooseColour(QWidget *parent, const QColor &initial) = 0;
    // The print dialog for the given printer; true when confirmed.
    virtual bool confirmPrint(QWidget *parent, QPrinter &printer) = 0;
    // Shows one of the program's own modal windows; returns its result code.
    virtual int execDialog(QDialog &dialog) = 0;

    // Opens a document with the program the desktop associates with it.
    virtual bool openDocument(const QString &path) = 0;
    // Starts a program with its arguments, not waiting for it.
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;

    virtual QDate today() = 0;
    // The time of day, to the minute the clock shows.
    virtual QTime timeOfDay() = 0;

    // Ends the program at once, without the shutdown steps.
    virtual void endProgramNow() = 0;
};

// The real dialogs, desktop and clock.
class DesktopSeam : public UiSeam
{
public:
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
