#pragma once

#include "app/command_guard.h"
#include "app/main_window.h"
#include "storage/settings_store.h"
#include "support/fake_seam.h"
#include "support/temp_home.h"

#include <QAbstractButton>
#include <QAction>
#include <QDirIterator>
#include <QListView>
#include <QMap>
#include <QPlainTextEdit>
#include <QTest>

#include <memory>

// The real main window in a fresh home: settings with user Muster, the month
// file of March 2017 in its year folder, loaded as at start.
struct MainFormFixture
{
    TempHome home;
    FakeSeam seam;
    std::unique_ptr<TMainForm> form;

    QString gallery() const
    {
        return home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    }
    QString yearFolder() const { return gallery() + QStringLiteral("2017"); }
    QString monthPath() const { return yearFolder() + QStringLiteral("/Muster_03_2017.tab"); }
    QString remarkPath() const { return yearFolder() + QStringLiteral("/Muster_03_2017.txt"); }

    void writeSettings(const QString &dataFolder)
    {
        const SettingsStore settings(home.settingsFile());
        settings.writeFirstRunValues(home.workFolder());
        settings.write(SettingKey::DataFolder, dataFolder);
        settings.write(SettingKey::UserName, QStringLiteral("Muster"));
    }

    void createForm()
    {
        form = std::make_unique<TMainForm>(
            seam, MainFormEnvironment{home.workFolder(), home.settingsFile(), QString()});
    }

    // Settings, month file and remark on disk, the form started and the month
    // loaded; the seam's record starts empty.
    void start(const QByteArray &monthBytes)
    {
        writeSettings(home.workFolder());
        TempHome::writeFile(monthPath(), monthBytes);
        TempHome::writeFile(remarkPath(), QByteArray("Alte Bemerkung\r\n"));
        createForm();
        form->FormPaint();
        load(monthPath());
        seam.clear();
    }

    // As the program runs every command: inside the general error guard.
    template <typename Command> void run(Command &&command)
    {
        runGuarded(seam, form.get(), std::forward<Command>(command));
    }

    void load(const QString &path)
    {
        run([&] { form->MachEs(path); });
    }

    // The user's ways in: a mouse click on a button, a menu item, the list.
    void click(const char *button) const
    {
        QTest::mouseClick(form->findChild<QAbstractButton *>(QLatin1StringView(button)),
                          Qt::LeftButton);
    }
    void menu(const char *item) const
    {
        form->findChild<QAction *>(QLatin1StringView(item))->trigger();
    }
    void clickLastRow() const
    {
        auto *list = form->findChild<QListView *>(QStringLiteral("ListBox1"));
        const QModelIndex last = list->model()->index(list->model()->rowCount() - 1, 0);
        list->scrollTo(last);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(last).center());
    }

    QPlainTextEdit *memo() const
    {
        return form->findChild<QPlainTextEdit *>(QStringLiteral("Memo2"));
    }

    // Every file below the home, with its bytes; the versions aside: a save
    // that fails may already have kept the unchanged file as one.
    QMap<QString, QByteArray> snapshot() const
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(home.root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (!path.contains(QStringLiteral("/Sicherungen/")))
                files.insert(path.mid(home.root().size()), TempHome::readFile(path));
        }
        return files;
    }
};
