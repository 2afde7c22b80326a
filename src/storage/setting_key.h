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

// The name the value has in the file ("UhrzeitMessung2").
QString settingName(SettingKey key);

// The two switches are stored as integers, every other value as a string.
bool isIntegerSetting(SettingKey key);

// The value that keeps the last time entered for a slot.
SettingKey timeSettingOf(Slot slot);
