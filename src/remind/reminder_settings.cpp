#include "remind/reminder_settings.h"

#include "storage/settings_store.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

const std::array<QString, 7> kWeekdayNames = {
    QStringLiteral("Mo"), QStringLiteral("Di"), QStringLiteral("Mi"), QStringLiteral("Do"),
    QStringLiteral("Fr"), QStringLiteral("Sa"), QStringLiteral("So"),
};

const QString kOn = QStringLiteral("an");
const QString kOff = QStringLiteral("aus");

// The slot times were typed by hand in older versions: fall back to the
// first-run times when the stored one is not a time.
QTime slotTime(const SettingsStore &settings, Slot slot)
{
    if (const auto time = ReminderText::parseTime(settings.read(timeSettingOf(slot))))
        return *time;
    switch (slot) {
    case Slot::Morning:
        return {7, 30};
    case Slot::Second:
        return {13, 0};
    case Slot::Third:
        return {15, 30};
    case Slot::Evening:
        break;
    }
    return {20, 40};
}

} // namespace

bool ReminderSettings::anyOn(const QDate &today) const
{
    for (const SlotReminder &reminder : reminders) {
        if (reminder.on && std::find(reminder.weekdays.begin(), reminder.weekdays.end(), true) !=
                               reminder.weekdays.end())
            return true;
    }
    return plannedWeek && plannedWeek->addDays(6) >= today;
}

ReminderSettings ReminderSettings::read(const SettingsStore &settings)
{
    ReminderSettings result;
    for (const Slot slot : kAllSlots) {
        SlotReminder &reminder = result.of(slot);
        if (const auto stored = ReminderText::decode(settings.read(reminderSettingOf(slot))))
            reminder = *stored;
        else
            reminder.time = slotTime(settings, slot);
    }
    result.plannedWeek = ReminderText::decodeWeek(settings.read(SettingKey::PlannedWeek));
    return result;
}

bool ReminderSettings::write(const SettingsStore &settings) const
{
    if (!settings.exists())
        return false;
    for (const Slot slot : kAllSlots)
        settings.write(reminderSettingOf(slot), ReminderText::encode(of(slot)));
    settings.write(SettingKey::PlannedWeek, ReminderText::encodeWeek(plannedWeek));
    return true;
}

namespace ReminderText {

QString encode(const SlotReminder &reminder)
{
    QStringList days;
    for (int i = 0; i < 7; ++i) {
        if (reminder.weekdays[std::size_t(i)])
            days << kWeekdayNames[std::size_t(i)];
    }
    return (reminder.on ? kOn : kOff) + QLatin1Char(';') +
           reminder.time.toString(QStringLiteral("hh:mm")) + QLatin1Char(';') +
           days.join(QLatin1Char(','));
}

std::optional<SlotReminder> decode(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(';'));
    if (parts.size() != 3 || (parts[0] != kOn && parts[0] != kOff))
        return std::nullopt;
    const auto time = parseTime(parts[1]);
    if (!time)
        return std::nullopt;
    SlotReminder reminder;
    reminder.on = parts[0] == kOn;
    reminder.time = *time;
    reminder.weekdays.fill(false);
    if (parts[2].isEmpty())
        return reminder;
    for (const QString &day : parts[2].split(QLatin1Char(','))) {
        const auto *found = std::find(kWeekdayNames.begin(), kWeekdayNames.end(), day);
        if (found == kWeekdayNames.end())
            return std::nullopt;
        reminder.weekdays[std::size_t(found - kWeekdayNames.begin())] = true;
    }
    return reminder;
}

QString encodeWeek(const std::optional<QDate> &firstDay)
{
    return firstDay ? firstDay->toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

std::optional<QDate> decodeWeek(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d\\d\\d\\d$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    const QDate date = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QTime> parseTime(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^([01]\\d|2[0-3]):([0-5]\\d)$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return QTime(match.captured(1).toInt(), match.captured(2).toInt());
}

QString weekdayShortName(int mondayFirstIndex)
{
    if (mondayFirstIndex < 0 || mondayFirstIndex >= 7)
        return QString();
    return kWeekdayNames[std::size_t(mondayFirstIndex)];
}

} // namespace ReminderText
