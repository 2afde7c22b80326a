// The month's remark, edited in the same memo that shows the evaluation.
#include "app/main_window.h"

#include "storage/data_folders.h"
#include "app/tab_stop_delegate.h"
#include "base/text_file.h"

#include "ui_main_window.h"

#include <QFileInfo>
#include <QSignalBlocker>
#include <QTextCursor>

namespace {

constexpr int kRemarkLimit = 250;

// The memo's length as the file will hold it: every line break is CR LF.
int storedLength(const QString &text)
{
    return int(text.size() + text.count(QLatin1Char('\n')));
}

QString firstStoredCharacters(const QString &text, int limit)
{
    int length = 0;
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const int width = text.at(i) == QLatin1Char('\n') ? 2 : 1;
        if (length + width > limit)
            break;
        length += width;
    }
    return text.left(i);
}

} // namespace

QString TMainForm::remarkSavePath() const
{
    return DataFolders::remarkFilePath(m_galleryFolder, m_yearFolderName, m_userName, m_openMonth,
                                       m_openYear);
}

void TMainForm::saveRemark()
{
    // The remark belongs to the month that was open when it was begun: an add
    // to another month or a new name in between must not carry it along.
    const QString path = m_remarkPath.isEmpty() ? remarkSavePath() : m_remarkPath;
    if (m_remarkPath.isEmpty() && m_openMonth.isEmpty() && m_openYear.isEmpty())
        return; // no month is open: there is no file the remark belongs to
    if (!m_monthPlaceProblem.isEmpty()) {
        showMessage(UiSeam::MessageKind::Warning,
                    QStringLiteral("Die Bemerkung wird nicht gespeichert: ") + m_monthPlaceProblem);
        return;
    }
    const QStringList lines = TextFile::splitLines(ui->Memo2->toPlainText());
    const QString versionProblem = m_versionKeeping.keepBefore(m_galleryFolder, path, lines);
    QString error;
    if (TextFile::writeLines(path, lines, &error))
        m_versionKeeping.tellOnce(this, versionProblem);
    else
        showMessage(UiSeam::MessageKind::Warning,
                    QStringLiteral("Die Bemerkung konnte nicht gespeichert werden: ") + path +
                        QStringLiteral("\r\n") + error);
}

void TMainForm::saveRemarkIfModified(bool emptyMemo)
{
    if (!m_remarkModified)
        return;
    saveRemark();
    m_remarkPath.clear();
    if (emptyMemo)
        ui->Memo2->clear();
    m_remarkModified = false;
}

void TMainForm::leaveRemarkMode()
{
    saveRemarkIfModified(true);
    // Out of remark mode, what the program puts into the memo is no remark.
    ui->Memo2->setReadOnly(true);
    m_remarkPath.clear();
}

void TMainForm::Bemerkungeingeben1Click()
{
    QPlainTextEdit *memo = ui->Memo2;
    memo->setReadOnly(false);
    saveRemarkIfModified(true);
    m_remarkPath = remarkSavePath();
    const QString remarkFile = m_remarkBase + QStringLiteral(".txt");
    if (!m_remarkBase.isEmpty() && QFileInfo(remarkFile).isFile()) {
        const std::optional<QStringList> lines = TextFile::readLines(remarkFile);
        {
            // A stored remark is shown whole, even one longer than the
            // limit that another program wrote: only typing cuts it.
            const QSignalBlocker quiet(memo);
            memo->setPlainText(lines ? lines->join(QLatin1Char('\n')) : QString());
        }
        m_remarkModified = false;
    } else if (!memo->toPlainText().isEmpty()) {
        memo->clear(); // emptying a filled memo counts as a change
    }
    memo->setFocus();
    memo->setTabChangesFocus(false);
    memo->setTabStopDistance(TabStopDelegate::stopPixels({20}, memo->font()).constFirst());
    memo->moveCursor(QTextCursor::End);
}

void TMainForm::Memo2Change()
{
    QPlainTextEdit *memo = ui->Memo2;
    if (!memo->isReadOnly())
        m_remarkModified = true;
    const QString text = memo->toPlainText();
    if (storedLength(text) > kRemarkLimit) {
        showMessage(UiSeam::MessageKind::Information,
                    QStringLiteral("Die Länge des Bemerkungstextes ist auf 250 Zeichen begrenzt!"));
        memo->setPlainText(firstStoredCharacters(text, kRemarkLimit));
        memo->moveCursor(QTextCursor::End);
    }
}
