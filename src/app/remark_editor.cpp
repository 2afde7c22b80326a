#include "app/remark_editor.h"

#include "app/tab_stop_delegate.h"
#include "app/version_keeping.h"
#include "base/text_file.h"
#include "storage/open_month.h"
#include "ui/seam.h"

#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>

#include <algorithm>

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

constexpr int kMarkWidth = 3;

// The viewport's margins are the scroll area's own; its subclasses lend them.
struct MarginAccess : QPlainTextEdit
{
    using QPlainTextEdit::setViewportMargins;
};

void setViewportMargins(QPlainTextEdit &memo, const QMargins &margins)
{
    const auto set = static_cast<void (QAbstractScrollArea::*)(const QMargins &)>(
        &MarginAccess::setViewportMargins);
    (memo.*set)(margins);
}

} // namespace

// What shows that the memo takes the month's remark: a frame in the focus
// colour and a line above the text. Both lie inside the memo, whose place
// and size stay the layout's; the text moves below the line.
class RemarkModeMarks : public QWidget
{
public:
    explicit RemarkModeMarks(QPlainTextEdit &memo)
        : QWidget(&memo)
        , m_memo(memo)
        , m_line(new QLabel(QStringLiteral("Bemerkung zum Monat – wird beim Verlassen gespeichert"),
                            this))
    {
        setObjectName(QStringLiteral("BemerkungRahmen"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        m_line->setObjectName(QStringLiteral("BemerkungHinweis"));
        QFont font = memo.font();
        if (font.pixelSize() > 0)
            font.setPixelSize(std::max(1, font.pixelSize() * 4 / 5));
        else
            font.setPointSizeF(font.pointSizeF() * 0.8);
        m_line->setFont(font);
        QPalette palette = m_line->palette();
        palette.setColor(QPalette::Window, highlight());
        palette.setColor(QPalette::WindowText, memo.palette().color(QPalette::HighlightedText));
        m_line->setPalette(palette);
        m_line->setAutoFillBackground(true);
        m_line->setContentsMargins(4, 0, 4, 0);
        memo.installEventFilter(this);
        // The scroll bars are raised whenever the memo lays them out; the
        // frame goes back over them.
        for (QScrollBar *bar : {memo.horizontalScrollBar(), memo.verticalScrollBar()}) {
            if (bar->parentWidget() != &memo)
                bar->parentWidget()->installEventFilter(this);
        }
        place();
        raise();
        show();
    }

    // The memo shows its text as before.
    void remove()
    {
        m_memo.removeEventFilter(this);
        for (QScrollBar *bar : {m_memo.horizontalScrollBar(), m_memo.verticalScrollBar()})
            bar->parentWidget()->removeEventFilter(this);
        setViewportMargins(m_memo, QMargins());
        delete this;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_memo && event->type() == QEvent::Resize)
            place();
        else if (watched != &m_memo && event->type() == QEvent::ZOrderChange)
            QMetaObject::invokeMethod(this, &QWidget::raise, Qt::QueuedConnection);
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QColor colour = highlight();
        const QRect all = rect();
        painter.fillRect(QRect(0, 0, all.width(), kMarkWidth), colour);
        painter.fillRect(QRect(0, all.height() - kMarkWidth, all.width(), kMarkWidth), colour);
        painter.fillRect(QRect(0, 0, kMarkWidth, all.height()), colour);
        painter.fillRect(QRect(all.width() - kMarkWidth, 0, kMarkWidth, all.height()), colour);
    }

private:
    QColor highlight() const { return m_memo.palette().color(QPalette::Highlight); }

    void place()
    {
        setGeometry(m_memo.rect());
        const int lineHeight = m_line->sizeHint().height();
        m_line->setGeometry(kMarkWidth, kMarkWidth, width() - 2 * kMarkWidth, lineHeight);
        // Only the frame and the line are drawn; the text stays seen and
        // clickable between them.
        const QRect inner = rect().adjusted(kMarkWidth, kMarkWidth, -kMarkWidth, -kMarkWidth);
        setMask(QRegion(rect()).subtracted(inner).united(m_line->geometry()));
        // The frame covers no more of the text area than its blank margin.
        setViewportMargins(m_memo,
                           QMargins(0, kMarkWidth + lineHeight - m_memo.frameWidth(), 0, 0));
    }

    QPlainTextEdit &m_memo;
    QLabel *m_line;
};

RemarkEditor::RemarkEditor(QPlainTextEdit &memo, QWidget &window, UiSeam &seam,
                           VersionKeeping &versions, OpenMonth &month)
    : m_memo(memo)
    , m_window(window)
    , m_seam(seam)
    , m_versions(versions)
    , m_month(month)
{}

bool RemarkEditor::monthIsOpen() const
{
    return !m_month.month().isEmpty() && !m_month.year().isEmpty();
}

QString RemarkEditor::savePath() const
{
    return m_path.isEmpty() ? m_month.remarkSavePath() : m_path;
}

void RemarkEditor::begin()
{
    m_memo.setReadOnly(false);
    if (!m_marks)
        m_marks = new RemarkModeMarks(m_memo);
    saveIfModified(true);
    m_begunWithoutMonth = !monthIsOpen();
    m_path = m_begunWithoutMonth ? QString() : m_month.remarkSavePath();
    const QString remarkFile = m_month.storedRemarkPath();
    if (m_begunWithoutMonth && m_pending) {
        const QSignalBlocker quiet(&m_memo);
        m_memo.setPlainText(*m_pending);
        m_modified = false;
    } else if (m_month.hasStoredRemarkBase() && QFileInfo(remarkFile).isFile()) {
        const std::optional<QStringList> lines = TextFile::readLines(remarkFile);
        {
            // A stored remark is shown whole, even one longer than the
            // limit that another program wrote: only typing cuts it.
            const QSignalBlocker quiet(&m_memo);
            m_memo.setPlainText(lines ? lines->join(QLatin1Char('\n')) : QString());
        }
        m_modified = false;
    } else if (!m_memo.toPlainText().isEmpty()) {
        m_memo.clear(); // emptying a filled memo counts as a change
    }
    m_memo.setFocus();
    m_memo.setTabChangesFocus(false);
    m_memo.setTabStopDistance(TabStopDelegate::stopPixels({20}, m_memo.font()).constFirst());
    m_memo.moveCursor(QTextCursor::End);
}

void RemarkEditor::textChanged()
{
    if (!m_memo.isReadOnly())
        m_modified = true;
    const QString text = m_memo.toPlainText();
    if (storedLength(text) > kRemarkLimit) {
        m_seam.showMessage(
            &m_window, UiSeam::MessageKind::Information,
            QStringLiteral("Die Länge des Bemerkungstextes ist auf 250 Zeichen begrenzt!"));
        m_memo.setPlainText(firstStoredCharacters(text, kRemarkLimit));
        m_memo.moveCursor(QTextCursor::End);
    }
}

void RemarkEditor::save()
{
    if (m_begunWithoutMonth || (m_path.isEmpty() && !monthIsOpen())) {
        // No file name can hold it yet: the text waits for the month the
        // next add makes.
        m_pending = m_memo.toPlainText();
        return;
    }
    if (!m_month.placeProblem().isEmpty()) {
        m_seam.showMessage(&m_window, UiSeam::MessageKind::Warning,
                           QStringLiteral("Die Bemerkung wird nicht gespeichert: ") +
                               m_month.placeProblem());
        return;
    }
    write(savePath(), TextFile::splitLines(m_memo.toPlainText()));
}

void RemarkEditor::savePending()
{
    if (!m_pending || !monthIsOpen() || !m_month.placeProblem().isEmpty())
        return;
    if (m_pending->trimmed().isEmpty()) {
        m_pending.reset(); // typed and taken back again: nothing to keep
        return;
    }
    const QString path = m_month.remarkSavePath();
    QStringList lines = TextFile::splitLines(*m_pending);
    if (QFileInfo(path).isFile()) {
        const std::optional<QStringList> stored = TextFile::readLines(path);
        if (!stored)
            return; // kept waiting: a remark that cannot be read is never replaced
        if (!stored->join(QString()).trimmed().isEmpty())
            lines = *stored + QStringList{QString()} + lines;
    }
    if (write(path, lines))
        m_pending.reset();
}

bool RemarkEditor::write(const QString &path, const QStringList &lines)
{
    const OpenMonth::RemarkResult saved = m_month.saveRemark(path, lines);
    m_versions.tell(&m_window, saved.notices);
    return saved.written;
}

void RemarkEditor::saveIfModified(bool emptyMemo)
{
    if (!m_modified)
        return;
    save();
    m_path.clear();
    if (emptyMemo)
        m_memo.clear();
    m_modified = false;
}

void RemarkEditor::leave(bool emptyMemo)
{
    saveIfModified(emptyMemo);
    m_memo.setReadOnly(true);
    if (m_marks)
        m_marks->remove();
    m_path.clear();
    m_begunWithoutMonth = false;
}

void RemarkEditor::saveOnClose()
{
    // A remark the user did not change is never written back: a long one
    // from elsewhere would be cut, and an unchanged one gains nothing.
    if (!m_memo.isReadOnly() && m_modified)
        save();
}
