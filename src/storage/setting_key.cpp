#include "storage/setting_key.h"

QString settingName(SettingKey key)
{
    switch (key) {
    case SettingKey::InstallFolder:
        return QStringLiteral("InstallOrt");
    case SettingKey::DataFolder:
        return QStringLiteral("DatenSpeicherOrt");
    case SettingKey::UserName:
        return QStringLiteral("BenutzerName");
    case SettingKey::LastMonthFile:
        return QStringLiteral("TabellenDateiName");
    case SettingKey::MorningTime:
        return QStringLiteral("UhrzeitMorgens");
    case SettingKey::SecondTime:
        return QStringLiteral("UhrzeitMessung2");
    case SettingKey::ThirdTime:
        return QStringLiteral("UhrzeitMessung3");
    case SettingKey::EveningTime:
        return QStringLiteral("UhrzeitAbends");
    case SettingKey::GalleryFolderName:
        return QStringLiteral("GalerieVerzeichnisName");
    case SettingKey::HtmlFolderName:
        return QStringLiteral("HtmlVerzeichnisName");
    case SettingKey::SystolicColour:
        return QStringLiteral("SystolischKurvenFarbe");
    case SettingKey::DiastolicColour:
        return QStringLiteral("DiastolischKurvenFarbe");
    case SettingKey::PulseColour:
        return QStringLiteral("PulsKurvenFarbe");
    case SettingKey::WindowColour:
        return QStringLiteral("FormFarbe");
    case SettingKey::ListColour:
        return QStringLiteral("ListboxFarbe");
    case SettingKey::Browser:
        return QStringLiteral("Browser");
    case SettingKey::BreakLineAtZero:
        return QStringLiteral("LinieBeiNullUnterbrechen");
    case SettingKey::ShowValuesAboveCurve:
        return QStringLiteral("WerteOberhalbKurveAnzeigen");
    case SettingKey::ValuesAboveColour:
        return QStringLiteral("DatenwerteOberhalbFarbe");
    case SettingKey::MorningReminder:
        return QStringLiteral("ErinnerungMorgens");
    case SettingKey::SecondReminder:
        return QStringLiteral("ErinnerungMessung2");
    case SettingKey::ThirdReminder:
        return QStringLiteral("ErinnerungMessung3");
    case SettingKey::EveningReminder:
        return QStringLiteral("ErinnerungAbends");
    case SettingKey::PlannedWeek:
        return QStringLiteral("Messwoche");
    }
    return QString();
}

bool isIntegerSetting(SettingKey key)
{
    return key == SettingKey::BreakLineAtZero || key == SettingKey::ShowValuesAboveCurve;
}

SettingKey timeSettingOf(Slot slot)
{
    switch (slot) {
    case Slot::Morning:
        return SettingKey::MorningTime;
    case Slot::Second:
        return SettingKey::SecondTime;
    case Slot::Third:
        return SettingKey::ThirdTime;
    case Slot::Evening:
        break;
    }
    return SettingKey::EveningTime;
}

SettingKey reminderSettingOf(Slot slot)
{
    switch (slot) {
    case Slot::Morning:
        return SettingKey::MorningReminder;
    case Slot::Second:
        return SettingKey::SecondReminder;
    case Slot::Third:
        return SettingKey::ThirdReminder;
    case Slot::Evening:
        break;
    }
    return SettingKey::EveningReminder;
}
