// MonthFile::readingsLost, which every save runs up to four times on two
// full months: the lines are matched exactly first, and only a line without
// an exact twin is brought into the form lines are compared in.
#include "journal/entry_line.h"
#include "journal/month_file.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace MonthFile {

namespace {

// The form two entry lines are compared in: as the program writes them
// (blanks after "den" and tabs aside), without regard to case.
QString comparable(const QString &line)
{
    const std::optional<QString> shown = EntryLine::toDisplayLine(line);
    return (shown ? EntryLine::fromDisplayLine(*shown) : line).toLower();
}

// The ASCII digits of a line, in order, hashed. The comparable form keeps
// every digit and adds none (it only drops blanks and tabs, and no change of
// case makes or takes a digit), so two lines that compare equal have the
// same digits: a line meets the comparable form only of lines with its hash.
std::uint64_t digitHash(const QString &line)
{
    std::uint64_t hash = 14695981039346656037ULL; // FNV-1a
    for (const QChar c : line) {
        const char16_t unit = c.unicode();
        if (unit >= u'0' && unit <= u'9') {
            hash ^= unit;
            hash *= 1099511628211ULL;
        }
    }
    return hash;
}

// The entry lines of the new content, found by their digits; the comparable
// form of each is made at most once, and only when a line asks for it.
class KeptLines
{
public:
    explicit KeptLines(const QStringList &fileLines)
        : m_lines(fileLines)
        , m_forms(std::size_t(fileLines.size()))
    {
        m_byDigits.reserve(std::size_t(fileLines.size()));
        for (qsizetype i = 0; i < fileLines.size(); ++i) {
            if (EntryLine::isEntryLine(fileLines.at(i)))
                m_byDigits.emplace_back(digitHash(fileLines.at(i)), i);
        }
        std::sort(m_byDigits.begin(), m_byDigits.end());
    }

    // Whether a kept line compares equal to `line`; `key` is the comparable
    // form of `line`, made here when an exact match fails.
    bool contains(const QString &line, std::optional<QString> &key)
    {
        const auto [from, to] =
            std::equal_range(m_byDigits.cbegin(), m_byDigits.cend(),
                             std::pair(digitHash(line), qsizetype(0)), sameHash);
        for (auto it = from; it != to; ++it) {
            if (m_lines.at(it->second) == line)
                return true;
        }
        for (auto it = from; it != to; ++it) {
            if (!key)
                key = comparable(line);
            if (formOf(it->second) == *key)
                return true;
        }
        return false;
    }

private:
    static bool sameHash(const std::pair<std::uint64_t, qsizetype> &a,
                         const std::pair<std::uint64_t, qsizetype> &b)
    {
        return a.first < b.first;
    }

    const QString &formOf(qsizetype index)
    {
        std::optional<QString> &form = m_forms[std::size_t(index)];
        if (!form)
            form = comparable(m_lines.at(index));
        return *form;
    }

    const QStringList &m_lines;
    std::vector<std::optional<QString>> m_forms;
    std::vector<std::pair<std::uint64_t, qsizetype>> m_byDigits;
};

} // namespace

QStringList readingsLost(const QStringList &oldFileLines, const QStringList &newFileLines,
                         const QString &allowedToGo)
{
    KeptLines kept(newFileLines);
    QString mayGo = allowedToGo.isEmpty() ? QString() : comparable(allowedToGo);
    QStringList lost;
    for (const QString &line : oldFileLines) {
        if (!EntryLine::isEntryLine(line))
            continue;
        std::optional<QString> key;
        if (kept.contains(line, key))
            continue;
        if (!mayGo.isEmpty()) {
            if (!key)
                key = comparable(line);
            if (*key == mayGo) {
                mayGo.clear();
                continue;
            }
        }
        lost.append(line);
    }
    return lost;
}

} // namespace MonthFile
