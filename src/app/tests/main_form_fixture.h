#pragma once

#include "app/NameEing.h"
#include "app/entry_list.h"
#include "app/main_window.h"
#include "app/spin_edit.h"
#include "support/fake_seam.h"
#include "support/temp_home.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>

// A positive whole number from the environment, else the fallback: the
// random-step tests take their steps and seeds from it.
inline int environmentNumber(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

// Types text key by key; QTest::keyClicks knows ASCII only, the users type
// umlauts as well.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar character : text) {
        if (character.unicode() < 0x80)
            QTest::keyClick(widget, char(character.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(character.toUpper().unicode()),
                                QString(character), Qt::NoModifier);
    }
}

// Types the name into the name dialog and clicks one of its buttons.
inline void typeNameAndClick(TNameEingDlg &names, const QString &name, const char *button)
{
    auto *edit = names.findChild<QLineEdit *>(QStringLiteral("Edit1"));
    edit->clear();
    typeText(edit, name);
    QTest::mouseClick(names.findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
}

// Drives the real main window the way the user would, one TempHome each.
struct FormFixture
{
    TempHome home;
    FakeSeam seam;
    std::unique_ptr<TMainForm> form;

    QString gallery() const
    {
        return home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    }

    TMainForm &start(const QString &startFolder = QString())
    {
        form.reset();
        form = std::make_unique<TMainForm>(
            seam, MainFormEnvironment{startFolder.isEmpty() ? home.workFolder() : startFolder,
                                      home.settingsFile(), QString()});
        return *form;
    }

    // The name dialog answers OK with `name` whenever it is shown.
    void answerName(const QString &name)
    {
        seam.dialogHandler = [name](QDialog &dialog) {
            if (auto *names = qobject_cast<TNameEingDlg *>(&dialog))
                typeNameAndClick(*names, name, "OKBtn");
            return dialog.result();
        };
    }

    // First start, the name entered at the first paint, an empty month.
    TMainForm &startAs(const QString &name)
    {
        answerName(name);
        start();
        form->FormPaint();
        seam.clear();
        return *form;
    }

    template <typename T> T *get(const char *name) const
    {
        T *child = form->findChild<T *>(QLatin1String(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }
    TSpinEdit *spin(int number) const
    {
        return get<TSpinEdit>(QStringLiteral("SpinEdit%1").arg(number).toLatin1().constData());
    }
    EntryListView *list() const { return get<EntryListView>("ListBox1"); }
    // The line a row of the list shows, as its model gives it to the view.
    QString line(int row) const { return list()->model()->index(row, 0).data().toString(); }
    QPlainTextEdit *memo() const { return get<QPlainTextEdit>("Memo2"); }
    QLineEdit *weight() const { return get<QLineEdit>("GewichtEdit"); }
    QCheckBox *weightSwitch() const { return get<QCheckBox>("GewichtsEingabeCheckBox"); }

    // The user's own ways in: a mouse click on a button, a menu item, a list
    // row or the arrow of a spin button.
    void click(const char *button) const
    {
        QTest::mouseClick(get<QAbstractButton>(button), Qt::LeftButton);
    }
    void menu(const char *item) const { get<QAction>(item)->trigger(); }
    void clickRow(int row) const
    {
        EntryListView *rows = list();
        const QModelIndex index = rows->model()->index(row, 0);
        rows->scrollTo(index);
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, rows->visualRect(index).center());
    }
    void clickArrow(const char *spinButton, bool up) const
    {
        QTest::mouseClick(get<QWidget>(spinButton)->findChild<QToolButton *>(up ? "up" : "down"),
                          Qt::LeftButton);
    }
    void setWeightSwitch(bool on) const
    {
        if (weightSwitch()->isChecked() != on)
            QTest::mouseClick(weightSwitch(), Qt::LeftButton);
    }

    void selectSlot(Slot slot)
    {
        for (int i = 0; i < 4 && form->CurrentSlot() != slot; ++i)
            click("BitBtn3");
    }

    // Fills the form; an empty weight text leaves the weight switch off.
    void fill(int day, int month, int year, Slot slot, const QString &time, int systolic,
              int diastolic, int pulse, const QString &weightText = QString())
    {
        selectSlot(slot);
        spin(3)->setValue(year);
        spin(2)->setValue(month);
        spin(1)->setValue(day);
        get<QLineEdit>("Edit1")->setText(time);
        spin(4)->setValue(systolic);
        spin(5)->setValue(diastolic);
        spin(6)->setValue(pulse);
        setWeightSwitch(!weightText.isEmpty());
        weight()->setText(weightText.isEmpty() ? QStringLiteral("0") : weightText);
    }

    void add(int day, int month, int year, Slot slot, const QString &time, int systolic,
             int diastolic, int pulse, const QString &weightText = QString())
    {
        fill(day, month, year, slot, time, systolic, diastolic, pulse, weightText);
        click("BitBtn1");
    }

    QString monthFile(const QString &user, const QString &month, const QString &year) const
    {
        return gallery() + year + QLatin1Char('/') + user + QLatin1Char('_') + month +
               QLatin1Char('_') + year + QStringLiteral(".tab");
    }
};

// A month file as the program writes it: Windows-1252, CRLF after every line.
inline QByteArray monthFileBytes(const QString &user, const QString &datum, const QString &switches,
                                 const QStringList &entries)
{
    QString text = QStringLiteral("[Personendaten]\r\nBenutzerName=") + user +
                   QStringLiteral("\r\nDatum=") + datum + QStringLiteral("\r\n");
    for (int i = 0; i < 4; ++i)
        text += QStringLiteral("%1M=%2\r\n").arg(i + 1).arg(switches.at(i));
    text += QStringLiteral("\r\n");
    for (const QString &entry : entries)
        text += entry + QStringLiteral("\r\n");
    return text.toLatin1();
}
