// Filling a page text with named parts.
#include "charts/page_template.h"

#include <QTest>

class TstChartPageTemplate : public QObject
{
    Q_OBJECT

private slots:
    void textPartsFillTheirPlacesInALine();
    void aNameAloneOnItsLineTakesAnyNumberOfLines();
    void bracesThatDoNotFrameANameStay();
    void aNameWithoutAFittingPartStaysAsWritten();
    void linesAreKeptAsWritten();
    void oneTemplateFillsAgainWithOtherParts();
};

namespace {

QStringList filled(const PageTemplate &text, std::initializer_list<PagePart> parts)
{
    QStringList lines;
    text.fill(lines, parts);
    return lines;
}

} // namespace

void TstChartPageTemplate::textPartsFillTheirPlacesInALine()
{
    const PageTemplate text(u"{{a}}x{{b}}, {{a}}{{c}}");
    QCOMPARE(filled(text, {{u"a", QStringLiteral("1")},
                           {u"b", QStringLiteral("")},
                           {u"c", QStringLiteral("three")}}),
             QStringList{QStringLiteral("1x, 1three")});
}

void TstChartPageTemplate::aNameAloneOnItsLineTakesAnyNumberOfLines()
{
    const PageTemplate text(u"top\n{{block}}\nbottom");
    QCOMPARE(filled(text, {{u"block", QStringList()}}),
             (QStringList{QStringLiteral("top"), QStringLiteral("bottom")}));
    QCOMPARE(filled(text, {{u"block", QStringList{QStringLiteral("one")}}}),
             (QStringList{QStringLiteral("top"), QStringLiteral("one"), QStringLiteral("bottom")}));
    QCOMPARE(filled(text, {{u"block", QStringList{QStringLiteral("1"), QStringLiteral("2")}}}),
             (QStringList{QStringLiteral("top"), QStringLiteral("1"), QStringLiteral("2"),
                          QStringLiteral("bottom")}));
    // A text on a line of its own is that one line, even an empty one.
    QCOMPARE(filled(text, {{u"block", QString()}}),
             (QStringList{QStringLiteral("top"), QString(), QStringLiteral("bottom")}));
    // A blank beside the name makes it a text part.
    QCOMPARE(filled(PageTemplate(u"{{block}} "), {{u"block", QStringLiteral("x")}}),
             QStringList{QStringLiteral("x ")});
}

void TstChartPageTemplate::bracesThatDoNotFrameANameStay()
{
    const PageTemplate text(u"{{{a}}} {{}} {{ a}} {{a }} {{a} {a}} {{a-b}} {{a");
    QCOMPARE(filled(text, {{u"a", QStringLiteral("A")}, {u"a-b", QStringLiteral("B")}}),
             QStringList{QStringLiteral("{A} {{}} {{ a}} {{a }} {{a} {a}} {{a-b}} {{a")});
    QCOMPARE(filled(PageTemplate(u"{return {{a}}};}"), {{u"a", QStringLiteral("type")}}),
             QStringList{QStringLiteral("{return type};}")});
}

void TstChartPageTemplate::aNameWithoutAFittingPartStaysAsWritten()
{
    const PageTemplate text(u"<{{missing}}>\n{{alone}}\n<{{lines}}>");
    QCOMPARE(filled(text, {{u"lines", QStringList{QStringLiteral("x")}}}),
             (QStringList{QStringLiteral("<{{missing}}>"), QStringLiteral("{{alone}}"),
                          QStringLiteral("<{{lines}}>")}));
    // Names differ in case.
    QCOMPARE(filled(PageTemplate(u"{{Name}}"), {{u"name", QStringLiteral("x")}}),
             QStringList{QStringLiteral("{{Name}}")});
}

void TstChartPageTemplate::linesAreKeptAsWritten()
{
    const PageTemplate text(u"a \t\n\n  b  \n");
    QCOMPARE(filled(text, {}),
             (QStringList{QStringLiteral("a \t"), QString(), QStringLiteral("  b  "), QString()}));
    QCOMPARE(filled(PageTemplate(u"täglich"), {}), QStringList{QStringLiteral("täglich")});
}

void TstChartPageTemplate::oneTemplateFillsAgainWithOtherParts()
{
    const PageTemplate text(u"{{head}}\nmax:{{max}}");
    QStringList lines{QStringLiteral("before")};
    text.fill(lines, {{u"head", QStringLiteral("h1")}, {u"max", QStringLiteral("150")}});
    text.fill(lines, {{u"head", QStringList()}, {u"max", QStringLiteral("160")}});
    QCOMPARE(lines, (QStringList{QStringLiteral("before"), QStringLiteral("h1"),
                                 QStringLiteral("max:150"), QStringLiteral("max:160")}));
}

QTEST_GUILESS_MAIN(TstChartPageTemplate)
#include "tst_chart_page_template.moc"
