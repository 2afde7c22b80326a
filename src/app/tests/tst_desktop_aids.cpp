// The spoken list rows, the keyboard's way through the form and its visible
// focus, on the real main window.
#include "app/SchnellEingabe.h"
#include "app/focus_ring.h"
#include "main_form_fixture.h"
#include "settings/colour_value.h"
#include "storage/settings_store.h"

#include <QApplication>
#include <QImage>
#include <QMenu>

namespace {

const char *const kTabOrder[] = {"SpinEdit1",   "SpinEdit2", "SpinEdit3",
                                 "BitBtn3",     "Edit1",     "SpinEdit4",
                                 "SpinEdit5",   "SpinEdit6", "GewichtsEingabeCheckBox",
                                 "GewichtEdit", "BitBtn1"};

} // namespace

class TestDesktopAids : public QObject
{
    Q_OBJECT

private slots:
    void listRowsReadAsSentences();
    void tabFollowsTheForm();
    void focusIsVisibleInBothColourSets_data();
    void focusIsVisibleInBothColourSets();
};

void TestDesktopAids::listRowsReadAsSentences()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(5, 2, 2017, Slot::Morning, QStringLiteral("07:30"), 132, 80, 70);
    f.add(5, 2, 2017, Slot::Evening, QStringLiteral("19:45"), 128, 78, 66, QStringLiteral("78,4"));
    EntryListView *list = f.list();
    const auto spoken = [list](int row) {
        return list->model()->index(row, 0).data(Qt::AccessibleTextRole).toString();
    };
    QCOMPARE(list->count(), 2);
    QCOMPARE(spoken(0), QStringLiteral("Morgens, 5. Februar 2017, 7:30 Uhr, 132 zu 80, Puls 70"));
    QCOMPARE(spoken(1), QStringLiteral("Abends, 5. Februar 2017, 19:45 Uhr, 128 zu 78, Puls 66, "
                                       "Gewicht 78,4 kg"));
    // What the list shows and what the program reads stay the display lines.
    QCOMPARE(f.line(0), form.listLines().constFirst());
    QVERIFY(f.line(0).contains(QLatin1Char('\t')));

    // A row replaced speaks its new text, and its old one again when that
    // comes back.
    const QString morningLine = f.line(0);
    const QString eveningLine = f.line(1);
    const QString morning = spoken(0);
    EntryList::setLines(*list, {eveningLine, eveningLine});
    QCOMPARE(spoken(0), spoken(1));
    EntryList::setLines(*list, {QStringLiteral("Notiz"), eveningLine});
    QCOMPARE(spoken(0), QString());
    EntryList::setLines(*list, {morningLine, eveningLine});
    QCOMPARE(spoken(0), morning);
}

void TestDesktopAids::tabFollowsTheForm()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    f.setWeightSwitch(true);
    f.spin(1)->setFocus();
    QStringList seen{QApplication::focusWidget()->objectName()};
    for (std::size_t i = 1; i < std::size(kTabOrder); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QStringList expected;
    for (const char *name : kTabOrder)
        expected << QLatin1String(name);
    QCOMPARE(seen, expected);

    // With the weight switch off its field is no stop.
    f.setWeightSwitch(false);
    f.spin(6)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("BitBtn1"));
}

void TestDesktopAids::focusIsVisibleInBothColourSets_data()
{
    QTest::addColumn<qint32>("windowColour");
    QTest::addColumn<qint32>("listColour");
    QTest::newRow("orange") << ColourValue::kDefaultWindowColour << ColourValue::kDefaultListColour;
    QTest::newRow("system") << ColourValue::kSystemButtonFace
                            << ColourValue::kSystemWindowBackground;
}

void TestDesktopAids::focusIsVisibleInBothColourSets()
{
    QFETCH(qint32, windowColour);
    QFETCH(qint32, listColour);
    FormFixture f;
    f.answerName(QStringLiteral("Muster"));
    {
        SettingsStore settings(f.home.settingsFile());
        settings.writeFirstRunValues(f.home.workFolder());
        settings.write(SettingKey::WindowColour, QString::number(windowColour));
        settings.write(SettingKey::ListColour, QString::number(listColour));
    }
    TMainForm &form = f.start();
    form.FormPaint();
    f.add(5, 2, 2017, Slot::Morning, QStringLiteral("07:30"), 132, 80, 70);
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    f.setWeightSwitch(true);

    QStringList names{QStringLiteral("ListBox1"),
                      QStringLiteral("CheckBoxM1"),
                      QStringLiteral("RadioButton2"),
                      QStringLiteral("BtnEintragBearbeiten"),
                      QStringLiteral("LinienDiagrammErstellen"),
                      QStringLiteral("Memo2")};
    for (const char *name : kTabOrder)
        names << QLatin1String(name);
    for (const QString &name : names) {
        QWidget *control = f.get<QWidget>(name.toLatin1().constData());
        // Without the focus there, then with it: the frame around the
        // control must change to black and white, which every colour shows.
        f.get<QWidget>("BitBtn3")->setFocus();
        if (name == QLatin1String("BitBtn3"))
            f.get<QWidget>("Edit1")->setFocus();
        const QImage before = form.grab().toImage();
        control->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), control);
        const QImage after = form.grab().toImage();
        const QRect inner(control->mapTo(&form, QPoint(0, 0)), control->size());
        int dark = 0, light = 0, border = 0;
        const QRect ring = inner.adjusted(-FocusRing::kWidth, -FocusRing::kWidth, FocusRing::kWidth,
                                          FocusRing::kWidth);
        for (int y = ring.top(); y <= ring.bottom(); ++y) {
            for (int x = ring.left(); x <= ring.right(); ++x) {
                if (inner.contains(x, y) || !after.rect().contains(x, y))
                    continue;
                ++border;
                const int grey = qGray(after.pixel(x, y));
                if (grey < 40 && after.pixel(x, y) != before.pixel(x, y))
                    ++dark;
                if (grey > 215)
                    ++light;
            }
        }
        QVERIFY2(dark > border / 4 && light > border / 8,
                 qPrintable(QStringLiteral("%1: %2 dark and %3 light of %4 frame pixels")
                                .arg(name)
                                .arg(dark)
                                .arg(light)
                                .arg(border)));
    }
}

QTEST_MAIN(TestDesktopAids)
#include "tst_desktop_aids.moc"
