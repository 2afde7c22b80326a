// The entry list's rows as a model, and the view that moves its current row
// as the list widget it replaced did.
#include "app/entry_list.h"
#include "app/entry_list_model.h"
#include "journal/entry_line.h"
#include "journal/reading_sentence.h"

#include <QAbstractItemModelTester>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

QString shown(const char *line)
{
    return *EntryLine::toDisplayLine(QString::fromLatin1(line));
}

// A written line, one with a weight, one without its weight marker, and a
// hand-edited one whose day has one digit.
QStringList month()
{
    return {shown("Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0"),
            shown("Abends den 01.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=78,4"),
            shown("Messung2 den 02.03.2017 Z=12:00 s=128, d=80, p=64"),
            shown("Abends den  5.03.2017 Z=19:45 s=120, d=75, p=60, Gewicht=0")};
}

QVariant roleOf(const QAbstractItemModel &model, int row, int role)
{
    return model.data(model.index(row, 0), role);
}

} // namespace

class TestEntryListModel : public QObject
{
    Q_OBJECT

private slots:
    void rowsGiveTheLinesTheirPiecesAndSentences();
    void piecesAreTheTabSeparatedColumns_data();
    void piecesAreTheTabSeparatedColumns();
    void rowsOutsideTheMonthGiveNothing();
    void replacingResetsOnce();
    void takingARowRemovesOnlyIt();
    void sentencesStayRightPastTheKeptCount_data();
    void sentencesStayRightPastTheKeptCount();

    void currentRowFollowsAsInTheListWidget();
    void replacingAndTakingAreQuiet();
    void selectLastShowsTheLastRow();
    void lastAndCurrentLineOfEmptyAndOneRowLists();
};

void TestEntryListModel::rowsGiveTheLinesTheirPiecesAndSentences()
{
    EntryListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QStringList lines = month();
    model.setLines(lines);
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.lines(), lines);
    for (int row = 0; row < lines.size(); ++row) {
        const QString &line = lines.at(row);
        QCOMPARE(roleOf(model, row, Qt::DisplayRole).toString(), line);
        QCOMPARE(roleOf(model, row, Qt::EditRole).toString(), line);
        QCOMPARE(roleOf(model, row, EntryListModel::PiecesRole).toStringList(),
                 line.split(QLatin1Char('\t')));
        // The sentence the list's rows spoke before they were a model.
        QCOMPARE(roleOf(model, row, Qt::AccessibleTextRole).toString(), readingSentence(line));
        QVERIFY(!roleOf(model, row, Qt::ToolTipRole).isValid());
    }
    QCOMPARE(roleOf(model, 0, Qt::AccessibleTextRole).toString(),
             QStringLiteral("Morgens, 1. März 2017, 7:30 Uhr, 140 zu 90, Puls 70"));
    QCOMPARE(
        roleOf(model, 1, Qt::AccessibleTextRole).toString(),
        QStringLiteral("Abends, 1. März 2017, 20:40 Uhr, 135 zu 85, Puls 66, Gewicht 78,4 kg"));
    // A line that is no reading speaks nothing of its own: the screen reader
    // reads its text.
    model.setLines({QStringLiteral("Notiz")});
    QCOMPARE(roleOf(model, 0, Qt::AccessibleTextRole).toString(), QString());
    QCOMPARE(roleOf(model, 0, Qt::DisplayRole).toString(), QStringLiteral("Notiz"));
}

void TestEntryListModel::piecesAreTheTabSeparatedColumns_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("written") << shown("Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0")
                             << QStringList{"Morgens den ", "01.03.2017 ", "Z=07:30 ", "s=140, ",
                                            "d=90, ",       "p=70, ",      "Gewicht=0"};
    QTest::newRow("no weight") << shown("Messung2 den 02.03.2017 Z=12:00 s=128, d=80, p=64")
                               << QStringList{"Messung2 den ", "02.03.2017 ", "Z=12:00 ", "s=128, ",
                                              "d=80, ",        "p=64",        ""};
    QTest::newRow("no tab") << QStringLiteral("Notiz") << QStringList{"Notiz"};
    QTest::newRow("empty") << QString() << QStringList{QString()};
}

void TestEntryListModel::piecesAreTheTabSeparatedColumns()
{
    QFETCH(QString, line);
    QFETCH(QStringList, pieces);
    QCOMPARE(EntryListModel::piecesOf(line), pieces);
    EntryListModel model;
    model.setLines({line});
    QCOMPARE(roleOf(model, 0, EntryListModel::PiecesRole).toStringList(), pieces);
}

void TestEntryListModel::rowsOutsideTheMonthGiveNothing()
{
    EntryListModel model;
    model.setLines(month());
    const int last = model.rowCount() - 1;
    QVERIFY(roleOf(model, last, Qt::DisplayRole).isValid());
    QVERIFY(!model.index(last + 1, 0).isValid());
    QVERIFY(!model.index(-1, 0).isValid());
    QVERIFY(!model.data(QModelIndex(), Qt::DisplayRole).isValid());
    // A list has no children and no second column.
    QCOMPARE(model.rowCount(model.index(0, 0)), 0);
    QVERIFY(!model.index(0, 1).isValid());
    // The flags the list widget's items had; outside the rows, drops only.
    QCOMPARE(model.flags(model.index(last, 0)), Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                                                    Qt::ItemIsEnabled | Qt::ItemIsDragEnabled);
    QCOMPARE(model.flags(QModelIndex()), Qt::ItemIsDropEnabled);
    // An index kept from a longer month names no row any more.
    const QModelIndex stale = model.index(last, 0);
    model.setLines(month().mid(0, 1));
    QVERIFY(!model.data(stale, Qt::DisplayRole).isValid());
    QCOMPARE(model.flags(stale), Qt::ItemIsDropEnabled);
}

void TestEntryListModel::replacingResetsOnce()
{
    EntryListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy aboutToReset(&model, &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    model.setLines(month());
    QCOMPARE(aboutToReset.count(), 1);
    QCOMPARE(reset.count(), 1);

    // The save reloads the month with one line changed: the changed row
    // shows, draws and speaks the new line.
    QStringList changed = month();
    changed[1] = shown("Abends den 01.03.2017 Z=21:10 s=150, d=95, p=72, Gewicht=0");
    const QString oldSentence = roleOf(model, 1, Qt::AccessibleTextRole).toString();
    model.setLines(changed);
    QCOMPARE(reset.count(), 2);
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(removed.count(), 0);
    QCOMPARE(roleOf(model, 1, Qt::DisplayRole).toString(), changed.at(1));
    QCOMPARE(roleOf(model, 1, EntryListModel::PiecesRole).toStringList(),
             changed.at(1).split(QLatin1Char('\t')));
    const QString newSentence = roleOf(model, 1, Qt::AccessibleTextRole).toString();
    QVERIFY(newSentence != oldSentence);
    QCOMPARE(newSentence, readingSentence(changed.at(1)));
    // The old line coming back speaks as before.
    model.setLines(month());
    QCOMPARE(roleOf(model, 1, Qt::AccessibleTextRole).toString(), oldSentence);

    model.setLines({});
    QCOMPARE(reset.count(), 4);
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(model.lines().isEmpty());
}

void TestEntryListModel::takingARowRemovesOnlyIt()
{
    EntryListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QStringList lines = month();
    model.setLines(lines);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    // Rows that do not exist, one step outside either end.
    QCOMPARE(model.takeLine(-1), QString());
    QCOMPARE(model.takeLine(int(lines.size())), QString());
    QCOMPARE(removed.count(), 0);
    QCOMPARE(model.rowCount(), 4);

    QCOMPARE(model.takeLine(1), lines.at(1));
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.at(0).at(1).toInt(), 1);
    QCOMPARE(removed.at(0).at(2).toInt(), 1);
    QCOMPARE(reset.count(), 0);
    // The rows after it move up with their pieces and sentences.
    QCOMPARE(model.lines(), (QStringList{lines.at(0), lines.at(2), lines.at(3)}));
    QCOMPARE(roleOf(model, 1, EntryListModel::PiecesRole).toStringList(),
             lines.at(2).split(QLatin1Char('\t')));
    QCOMPARE(roleOf(model, 1, Qt::AccessibleTextRole).toString(), readingSentence(lines.at(2)));

    // The last row and the first, at their exact ends.
    QCOMPARE(model.takeLine(2), lines.at(3));
    QCOMPARE(model.takeLine(0), lines.at(0));
    QCOMPARE(model.lines(), QStringList{lines.at(2)});
    QCOMPARE(model.takeLine(0), lines.at(2));
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.takeLine(0), QString());
    QCOMPARE(removed.count(), 4);
}

void TestEntryListModel::sentencesStayRightPastTheKeptCount_data()
{
    // The sentences of 1024 lines are kept; past that they are made anew.
    QTest::addColumn<int>("distinctLines");
    QTest::newRow("1023") << 1023;
    QTest::newRow("1024") << 1024;
    QTest::newRow("1025") << 1025;
}

void TestEntryListModel::sentencesStayRightPastTheKeptCount()
{
    QFETCH(int, distinctLines);
    QStringList lines;
    for (int i = 0; i < distinctLines; ++i) {
        const QString line = QStringLiteral("Morgens den %1.03.2017 Z=07:30 s=%2, d=80, p=%3, "
                                            "Gewicht=0")
                                 .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                 .arg(100 + i / 28)
                                 .arg(40 + i % 60);
        lines.append(*EntryLine::toDisplayLine(line));
    }
    lines.removeDuplicates();
    QCOMPARE(lines.size(), distinctLines);
    EntryListModel model;
    model.setLines(lines);
    // Asked in order, then the first ones again after the last.
    for (int row : {0, 1, distinctLines - 2, distinctLines - 1, 0, 1}) {
        for (int again = 0; again < 2; ++again)
            QCOMPARE(roleOf(model, row, Qt::AccessibleTextRole).toString(),
                     readingSentence(lines.at(row)));
    }
    for (int row = 0; row < distinctLines; ++row)
        QCOMPARE(roleOf(model, row, Qt::AccessibleTextRole).toString(),
                 readingSentence(lines.at(row)));
    QCOMPARE(roleOf(model, 0, Qt::AccessibleTextRole).toString(), readingSentence(lines.at(0)));
}

void TestEntryListModel::currentRowFollowsAsInTheListWidget()
{
    EntryListView view;
    EntryList::setLines(view, month());
    QSignalSpy moved(&view, &EntryListView::currentRowChanged);
    QCOMPARE(view.currentRow(), -1);
    view.setCurrentRow(1);
    QCOMPARE(view.currentRow(), 1);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.at(0).at(0).toInt(), 1);
    QCOMPARE(view.selectionModel()->selectedRows(), QModelIndexList{view.model()->index(1, 0)});
    QCOMPARE(EntryList::currentLine(view), month().at(1));

    // The last row, and one past it: no row is current then.
    view.setCurrentRow(3);
    QCOMPARE(view.currentRow(), 3);
    view.setCurrentRow(4);
    QCOMPARE(view.currentRow(), -1);
    QCOMPARE(moved.at(moved.count() - 1).at(0).toInt(), -1);
    QVERIFY(view.selectionModel()->selectedRows().isEmpty());
    QCOMPARE(EntryList::currentLine(view), QString());
    view.setCurrentRow(0);
    QCOMPARE(view.currentRow(), 0);
    view.setCurrentRow(-1);
    QCOMPARE(view.currentRow(), -1);
    QCOMPARE(moved.count(), 5);
}

void TestEntryListModel::replacingAndTakingAreQuiet()
{
    EntryListView view;
    EntryList::setLines(view, month());
    view.setCurrentRow(2);
    QSignalSpy moved(&view, &EntryListView::currentRowChanged);
    EntryList::setLines(view, month());
    QCOMPARE(view.currentRow(), -1);
    view.setCurrentRow(2);
    QCOMPARE(moved.count(), 1);

    // Taking the current row moves the current row, without a word.
    QCOMPARE(EntryList::takeLine(view, 2), month().at(2));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(view.count(), 3);
    QCOMPARE(EntryList::lines(view), (QStringList{month().at(0), month().at(1), month().at(3)}));

    // The view still follows the quiet changes: a click on a row speaks.
    view.setCurrentRow(0);
    QCOMPARE(moved.count(), 2);
    EntryList::clear(view);
    QCOMPARE(view.count(), 0);
    QCOMPARE(view.currentRow(), -1);
}

void TestEntryListModel::selectLastShowsTheLastRow()
{
    EntryListView view;
    view.resize(300, 80);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy moved(&view, &EntryListView::currentRowChanged);
    EntryList::selectLast(view); // nothing to select
    QCOMPARE(view.currentRow(), -1);
    QStringList lines;
    for (int i = 0; i < 6; ++i)
        lines += month();
    EntryList::setLines(view, lines);
    EntryList::selectLast(view);
    QCOMPARE(view.currentRow(), 23);
    QCOMPARE(moved.count(), 0);
    QVERIFY(view.verticalScrollBar()->maximum() > 0);
    QCOMPARE(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
    const QRect last = view.visualRect(view.model()->index(23, 0));
    QVERIFY(last.top() >= 0 && last.bottom() < view.viewport()->height());
}

void TestEntryListModel::lastAndCurrentLineOfEmptyAndOneRowLists()
{
    EntryListView view;
    QCOMPARE(view.count(), 0);
    QCOMPARE(EntryList::lastLine(view), QString());
    QCOMPARE(EntryList::currentLine(view), QString());
    QVERIFY(EntryList::lines(view).isEmpty());
    const QString only = month().at(0);
    EntryList::setLines(view, {only});
    QCOMPARE(view.count(), 1);
    QCOMPARE(EntryList::lastLine(view), only);
    QCOMPARE(EntryList::currentLine(view), QString());
    EntryList::selectLast(view);
    QCOMPARE(EntryList::currentLine(view), only);
    EntryList::setLines(view, month());
    QCOMPARE(EntryList::lastLine(view), month().constLast());
}

QTEST_MAIN(TestEntryListModel)
#include "tst_entry_list_model.moc"
