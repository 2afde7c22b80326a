#pragma once

#include "journal/slots.h"

#include <QString>

#include <array>

// Every value the program keeps in the settings store, in the order the
// first-run writer writes them. The comment is the name in the file.
enum class SettingKey {
    InstallFolder,        // "InstallOrt"
    DataFolder,           // "DatenSpeicherOrt"
    UserName,             // "BenutzerName"
    LastMonthFile,        // "TabellenDateiName"
    MorningTime,          // "UhrzeitMorgens"
    SecondTime,           // "UhrzeitMessung2"
    ThirdTime,            // "UhrzeitMessung3"
    EveningTime,          // "UhrzeitAbends"
    GalleryFolderName,    // "GalerieVerzeichnisName"
    HtmlFolderName,       // "HtmlVerzeichnisName"
    SystolicColour,       // "SystolischKurvenFarbe"
    DiastolicColour,      // "DiastolischKurvenFarbe"
    PulseColour,          // "PulsKurvenFarbe"
    WindowColour,         // "FormFarbe"
    ListColour,           // "ListboxFarbe"
    Browser,              // "Browser"
    BreakLineAtZero,      // "LinieBeiNullUnterbrechen" (integer)
    ShowValuesAboveCurve, // "WerteOberhalbKurveAnzeigen" (integer)
    ValuesAboveColour,    // "DatenwerteOberhalbFarbe"
    // The reminders: not written at the first run, so that a new store looks
    // as it always did; a missing value reads as "off" (src/remind).
    MorningReminder, // "ErinnerungMorgens"
    SecondReminder,  // "ErinnerungMessung2"
    ThirdReminder,   // "ErinnerungMessung3"
    EveningReminder, // "ErinnerungAbends"
    PlannedWeek,     // "Messwoche": the first day of a planned measuring week
};

constexpr std::array<SettingKey, 19> kAllSettingKeys = {
    SettingKey::InstallFolder,     SettingKey::DataFolder,      SettingKey::UserName,
    SettingKey::LastMonthFile,     SettingKey::MorningTime,     SettingKey::SecondTime,
    SettingKey::ThirdTime,         SettingKey::EveningTime,     SettingKey::GalleryFolderName,
    SettingKey::HtmlFolderName,    SettingKey::SystolicColour,  SettingKey::DiastolicColour,
    SettingKey::PulseColour,       SettingKey::WindowColour,    SettingKey::ListColour,
    SettingKey::Browser,           SettingKey::BreakLineAtZero, SettingKey::ShowValuesAboveCurve,
    SettingKey::ValuesAboveColour,
};

// The values the first-run writer leaves out.
constexpr std::array<SettingKey, 5> kReminderSettingKeys = {
    SettingKey::MorningReminder, SettingKey::SecondReminder, SettingKey::ThirdReminder,
    SettingKey::EveningReminder, SettingKey::PlannedWeek,
};

// The name the value has in the file ("UhrzeitMessung2").
QString settingName(SettingKey key);

// The two switches are stored as integers, every other value as a string.
bool isIntegerSetting(SettingKey key);

// The value that keeps the last time entered for a slot.
SettingKey timeSettingOf(Slot slot);

// The value that keeps the reminder of a slot.
SettingKey reminderSettingOf(Slot slot);
