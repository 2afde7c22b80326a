#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <initializer_list>

// The value of one named part: a text for a name inside a line, or whole
// lines (none too) for a name that stands alone on its line.
struct PagePart
{
    PagePart(QStringView partName, QString partText)
        : name(partName)
        , text(std::move(partText))
    {}
    PagePart(QStringView partName, QStringList partLines)
        : name(partName)
        , lines(std::move(partLines))
        , isBlock(true)
    {}

    QStringView name;
    QString text;
    QStringList lines;
    bool isBlock = false;
};

// A page text with named parts, lines split at '\n'. "{{name}}" inside a line
// is replaced by a text; a line that holds nothing but "{{name}}" by the
// lines of its part. The text is read once, so that filling only joins
// pieces. A name without a part stays as written, which no page can pass.
class PageTemplate
{
public:
    explicit PageTemplate(QStringView text);

    // Appends the filled lines.
    void fill(QStringList &lines, std::initializer_list<PagePart> parts) const;

private:
    struct Piece
    {
        QString text; // literal text, or the name of a part
        bool isName = false;
    };
    struct Line
    {
        QList<Piece> pieces;
        bool isBlock = false; // one name alone on its line
    };

    QList<Line> m_lines;
};
