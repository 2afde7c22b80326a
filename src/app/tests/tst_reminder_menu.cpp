// The reminder commands of the real main window: their place in the
// "Optionen" menu, the week dialog they open, and the quick entry a
// reminder's action asks for.
#include "main_form_fixture.h"

#include <QComboBox>
#include <QDateEdit>
#include <QMenu>

class TstReminderMenu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void optionsMenuHoldsBothCommands();
    void weekDialogOpensOnTomorrow();
    void quickEntryProposesTheReminderSlot();
    void takenSlotGivesWayToTheTimeOfDay();
};

void TstReminderMenu::initTestCase()
{
    // No session bus: the commands must not need one to open.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/vantoria-test-bus");
}

void TstReminderMenu::optionsMenuHoldsBothCommands()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    QStringList names;
    QStringList texts;
    for (QAction *action : form.findChild<QMenu *>(QStringLiteral("Optionen1"))->actions()) {
        names << action->objectName();
        texts << action->text();
    }
    QCOMPARE(names, (QStringList{"Namendern1", "Erinnerungen1", "Messwocheplanen1", "N3",
                                 "RegistryEintraegeloeschen1"}));
    QCOMPARE(texts[1], QStringLiteral("Erinnerungen …"));
    QCOMPARE(texts[2], QStringLiteral("Messwoche planen …"));
}

void TstReminderMenu::weekDialogOpensOnTomorrow()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    QDate shown;
    f.seam.dialogHandler = [&shown](QDialog &dialog) {
        shown = dialog.findChild<QDateEdit *>(QStringLiteral("ErsterTagEdit"))->date();
        return int(QDialog::Rejected);
    };
    f.menu("Messwocheplanen1");
    QCOMPARE(f.seam.texts(QStringLiteral("dialog")), QStringList{"MesswocheDlg"});
    QCOMPARE(shown, f.seam.fixedToday.addDays(1));
    f.seam.clear();
    f.seam.dialogHandler = [](QDialog &) { return int(QDialog::Rejected); };
    f.menu("Erinnerungen1");
    QCOMPARE(f.seam.texts(QStringLiteral("dialog")), QStringList{"ErinnerungenDlg"});
    QCOMPARE(f.seam.messages(), QStringList());
}

void TstReminderMenu::quickEntryProposesTheReminderSlot()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.seam.fixedTime = QTime(7, 40); // the time of day proposes Morgens
    QString proposed;
    f.seam.dialogHandler = [&proposed](QDialog &dialog) {
        proposed = dialog.findChild<QComboBox *>(QStringLiteral("MessungCombo"))->currentText();
        return int(QDialog::Rejected);
    };
    form.openQuickEntry(Slot::Evening);
    QCOMPARE(f.seam.texts(QStringLiteral("dialog")), QStringList{"SchnellEingabeDlg"});
    QCOMPARE(proposed, QStringLiteral("Abends"));
    form.openQuickEntry(std::nullopt);
    QCOMPARE(proposed, QStringLiteral("Morgens"));
}

void TstReminderMenu::takenSlotGivesWayToTheTimeOfDay()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(15, 3, 2017, Slot::Evening, QStringLiteral("20:40"), 130, 80, 70);
    f.seam.clear();
    f.seam.fixedTime = QTime(7, 40);
    QString proposed;
    f.seam.dialogHandler = [&proposed](QDialog &dialog) {
        proposed = dialog.findChild<QComboBox *>(QStringLiteral("MessungCombo"))->currentText();
        return int(QDialog::Rejected);
    };
    form.openQuickEntry(Slot::Evening);
    QCOMPARE(proposed, QStringLiteral("Morgens"));
}

QTEST_MAIN(TstReminderMenu)

#include "tst_reminder_menu.moc"
