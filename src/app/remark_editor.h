#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>

#include <optional>

class OpenMonth;
class QPlainTextEdit;
class RemarkModeMarks;
class QWidget;
class UiSeam;
class VersionKeeping;

// The month's remark, typed into the memo that otherwise shows the
// evaluation of the selected entry. It belongs to the month that was open
// when it was begun, and it is written only when the user changed it.
class RemarkEditor
{
public:
    RemarkEditor(QPlainTextEdit &memo, QWidget &window, UiSeam &seam, VersionKeeping &versions,
                 OpenMonth &month);

    bool modified() const { return m_modified; }
    // What the program puts into the memo is no change of the remark.
    void forgetChange() { m_modified = false; }

    // "Bemerkung eingeben": shows the stored remark, ready for typing; the
    // memo shows that it takes a remark until remark mode ends.
    void begin();
    // The memo's text changed: a typed change counts, and the text is held
    // to the length the file may take.
    void textChanged();
    // Writes the remark to its month's file.
    void save();
    // Writes a changed remark and empties the memo when asked to.
    void saveIfModified(bool emptyMemo);
    // Leaves remark mode: a changed remark is written first, and the memo
    // shows the program's texts again.
    void leave(bool emptyMemo);
    // At the program's end a changed remark is kept.
    void saveOnClose();
    // A remark typed while no month was open becomes the remark of the month
    // the first add made; one the month has already stays first.
    void savePending();

private:
    bool monthIsOpen() const;
    QString savePath() const;
    bool write(const QString &path, const QStringList &lines);

    QPlainTextEdit &m_memo;
    QWidget &m_window;
    UiSeam &m_seam;
    VersionKeeping &m_versions;
    OpenMonth &m_month;
    bool m_modified = false;
    QString m_path; // of the month the remark was begun in
    // Begun while no month was open: no file name could hold it then, and
    // the month the next add makes is where it belongs.
    bool m_begunWithoutMonth = false;
    std::optional<QString> m_pending;
    // Inside the memo while remark mode is on; owned by the memo.
    QPointer<RemarkModeMarks> m_marks;
};
