// Random sequences of the user's commands against a model of what must be
// stored: after every step each reading ever added, and not deliberately
// taken out, is in exactly one month file (the one of its user and month),
// unchanged, and no file holds a reading the model does not know.
//
// VANTORIA_MODEL_STEPS sets the number of steps (default 2000), and
// VANTORIA_MODEL_SEED the first seed, e.g. for a long run at night (Qt
// Test's watchdog would end a seed after five minutes otherwise):
//   VANTORIA_MODEL_STEPS=500000 QTEST_FUNCTION_TIMEOUT=86400000
//   build/src/app/tests/tst_journal_model
#include "base/text_file.h"
#include "journal/entry_line.h"
#include "main_form_fixture.h"

#include <QDirIterator>
#include <QRandomGenerator>
#include <QTest>

namespace {

const QStringList kUsers = {QStringLiteral("Muster"), QStringLiteral("Erika")};
// Two years, so that the year folders and the year refusal take part.
const QList<QPair<int, int>> kMonths = {{12, 2016}, {1, 2017}, {3, 2017}, {4, 2017}};

// file name -> the entry lines it holds, as a set
using Store = QMap<QString, QSet<QString>>;

class JournalModel
{
public:
    explicit JournalModel(quint32 seed)
        : m_random(seed)
    {}

    void run(int steps)
    {
        m_f.startAs(kUsers.first());
        for (m_step = 1; m_step <= steps; ++m_step) {
            oneMove();
            if (QTest::currentTestFailed())
                return;
            compareWithDisk();
            if (QTest::currentTestFailed())
                return;
        }
    }

private:
    int pick(int count) { return int(m_random.bounded(count)); }
    bool chance(int percent) { return pick(100) < percent; }

    void log(const QString &move)
    {
        m_moves.append(QStringLiteral("%1: %2").arg(m_step).arg(move));
        if (m_moves.size() > 12)
            m_moves.removeFirst();
    }

    void oneMove()
    {
        const int move = pick(100);
        if (move < 40)
            addReading();
        else if (move < 58)
            editEntry();
        else if (move < 64)
            newMonth();
        else if (move < 74)
            openMonth();
        else if (move < 78)
            openAndCancel();
        else if (move < 84)
            typeRemarkAndLeave();
        else if (move < 89)
            rename();
        else if (move < 94)
            toggleSlotSwitch();
        else
            restart();
    }

    // A refusal is told in a message; one about the remark is not about
    // the reading.
    bool refused() const
    {
        for (const char *kind : {"information", "warning", "plain", "error"}) {
            const QStringList texts = m_f.seam.texts(QLatin1String(kind));
            for (const QString &text : texts) {
                if (!text.startsWith(QLatin1String("Die Bemerkung")))
                    return true;
            }
        }
        return false;
    }

    // The line the form would add, as the month file then holds it.
    QString formLine() const
    {
        const bool weighed = m_f.weightSwitch()->isChecked();
        return m_f.form->SlotPrefix() + m_f.spin(1)->text() + QLatin1Char('.') +
               m_f.spin(2)->text() + QLatin1Char('.') + m_f.spin(3)->text() +
               QStringLiteral(" Z=") + m_f.get<QLineEdit>("Edit1")->text() + QStringLiteral(" s=") +
               m_f.spin(4)->text() + QStringLiteral(", d=") + m_f.spin(5)->text() +
               QStringLiteral(", p=") + m_f.spin(6)->text() + QStringLiteral(", Gewicht=") +
               (weighed ? m_f.weight()->text() : QStringLiteral("0"));
    }

    QString formFile() const
    {
        return m_f.form->openMonth().userName() + QLatin1Char('_') + m_f.spin(2)->text() +
               QLatin1Char('_') + m_f.spin(3)->text() + QStringLiteral(".tab");
    }

    // Presses "In Liste aufnehmen"; what is not refused must be stored.
    void pressAdd()
    {
        const QString line = formLine();
        const QString file = formFile();
        m_f.seam.clear();
        m_f.click("BitBtn1");
        if (!refused()) {
            m_expected[file].insert(line);
            log(QStringLiteral("add %1 to %2").arg(line, file));
        } else {
            log(QStringLiteral("add %1 refused").arg(line));
        }
    }

    void addReading()
    {
        const auto [month, year] = kMonths.at(pick(kMonths.size()));
        const int systolic = 100 + pick(80);
        const int diastolic = 60 + pick(systolic - 60); // below systolic: no question
        const QString time = QStringLiteral("%1:%2")
                                 .arg(pick(24), 2, 10, QLatin1Char('0'))
                                 .arg(pick(6) * 10, 2, 10, QLatin1Char('0'));
        m_f.fill(1 + pick(28), month, year, Slot(pick(4)), time, systolic, diastolic,
                 50 + pick(50));
        pressAdd();
    }

    // "Eintrag bearbeiten" on a row; then the reading goes back, changed or
    // not, or stays out (deliberately taken out).
    void editEntry()
    {
        if (m_f.list()->count() == 0 || !m_f.get<QPushButton>("BtnEintragBearbeiten")->isEnabled())
            return;
        const int row = pick(m_f.list()->count());
        m_f.clickRow(row);
        const QString taken = EntryLine::fromDisplayLine(m_f.line(row));
        const QString file = QFileInfo(m_f.form->openMonth().path()).fileName();
        m_f.seam.clear();
        m_f.click("BtnEintragBearbeiten");
        if (refused()) {
            log(QStringLiteral("edit %1 refused").arg(taken));
            return;
        }
        m_expected[file].remove(taken);
        log(QStringLiteral("take out %1 from %2").arg(taken, file));
        const int next = pick(3);
        if (next == 0)
            return;
        if (next == 2)
            m_f.spin(4)->setValue(m_f.spin(4)->value() + 1);
        pressAdd();
    }

    void newMonth()
    {
        m_f.menu("neuerstellen1");
        log(QStringLiteral("new month"));
    }

    void openMonth()
    {
        const QStringList files = monthFilesOnDisk().keys();
        if (files.isEmpty())
            return;
        const QString name = files.at(pick(files.size()));
        const QString path =
            m_f.gallery() + name.section(QLatin1Char('_'), 2, 2).left(4) + QLatin1Char('/') + name;
        m_f.seam.openFileAnswers = {path};
        m_f.menu("oeffnen");
        log(QStringLiteral("open %1").arg(name));
    }

    void openAndCancel()
    {
        m_f.seam.openFileAnswers = {QString()};
        m_f.menu("oeffnen");
        log(QStringLiteral("open, cancelled"));
    }

    void typeRemarkAndLeave()
    {
        m_f.menu("Bemerkungeingeben1");
        typeText(m_f.memo(), QStringLiteral("Notiz %1").arg(m_step));
        if (m_f.list()->count() > 0 && chance(50))
            m_f.clickRow(pick(m_f.list()->count()));
        log(QStringLiteral("remark"));
    }

    void rename()
    {
        const QString name = kUsers.at(pick(kUsers.size()));
        m_f.answerName(name);
        m_f.menu("Namendern1");
        log(QStringLiteral("rename to %1").arg(name));
    }

    void toggleSlotSwitch()
    {
        const QByteArray box = "CheckBoxM" + QByteArray::number(1 + pick(4));
        m_f.click(box.constData());
        log(QStringLiteral("switch %1").arg(QLatin1String(box)));
    }

    void restart()
    {
        m_f.form->close();
        m_f.start();
        m_f.form->FormPaint();
        log(QStringLiteral("restart"));
    }

    Store monthFilesOnDisk() const
    {
        Store store;
        QDirIterator it(m_f.gallery(), {QStringLiteral("*.tab")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QSet<QString> &lines = store[QFileInfo(path).fileName()];
            for (const QString &line : TextFile::readLines(path).value_or(QStringList())) {
                if (EntryLine::isEntryLine(line))
                    lines.insert(line);
            }
        }
        return store;
    }

    void compareWithDisk()
    {
        Store disk = monthFilesOnDisk();
        Store expected = m_expected;
        for (Store *store : {&disk, &expected}) {
            for (auto it = store->begin(); it != store->end();)
                it = it->isEmpty() ? store->erase(it) : std::next(it);
        }
        if (disk == expected)
            return;
        QStringList differences;
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            for (const QString &line : it.value() - disk.value(it.key()))
                differences << QStringLiteral("missing in %1: %2").arg(it.key(), line);
        }
        for (auto it = disk.cbegin(); it != disk.cend(); ++it) {
            for (const QString &line : it.value() - expected.value(it.key()))
                differences << QStringLiteral("unexpected in %1: %2").arg(it.key(), line);
        }
        QFAIL(qPrintable(QStringLiteral("after step %1:\n  %2\nlast moves:\n  %3")
                             .arg(m_step)
                             .arg(differences.join(QStringLiteral("\n  ")),
                                  m_moves.join(QStringLiteral("\n  ")))));
    }

    QRandomGenerator m_random;
    FormFixture m_f;
    Store m_expected;
    QStringList m_moves;
    int m_step = 0;
};

} // namespace

class TestJournalModel : public QObject
{
    Q_OBJECT

private slots:
    void everyReadingStaysInItsOneFile_data();
    void everyReadingStaysInItsOneFile();
};

void TestJournalModel::everyReadingStaysInItsOneFile_data()
{
    QTest::addColumn<quint32>("seed");
    const int first = environmentNumber("VANTORIA_MODEL_SEED", 20171);
    for (int i = 0; i < 3; ++i)
        QTest::addRow("seed %d", first + i) << quint32(first + i);
}

void TestJournalModel::everyReadingStaysInItsOneFile()
{
    QFETCH(quint32, seed);
    JournalModel model(seed);
    model.run(environmentNumber("VANTORIA_MODEL_STEPS", 2000) / 3);
}

QTEST_MAIN(TestJournalModel)
#include "tst_journal_model.moc"
