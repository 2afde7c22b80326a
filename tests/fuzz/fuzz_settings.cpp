// A settings file with any content: every value is read as the program reads
// it, then one write must keep everything that was readable. The bytes are
// read in memory, as the store reads its file, so no input touches the disk.
#include "base/conversion_error.h"
#include "fuzz_support.h"
#include "storage/setting_key.h"
#include "storage/settings_values.h"

namespace {

bool sameValues(const SettingsValues &a, const SettingsValues &b)
{
    if (a.values().size() != b.values().size())
        return false;
    for (qsizetype i = 0; i < a.values().size(); ++i) {
        const SettingsValues::Value &x = a.values().at(i);
        const SettingsValues::Value &y = b.values().at(i);
        if (x.name != y.name || x.isInteger != y.isInteger || x.text != y.text)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const SettingsValues read = SettingsValues::fromBytes(Fuzz::bytesOf(data, size));
    QStringList strings, integers;
    for (SettingKey key : kAllSettingKeys) {
        const QString name = settingName(key);
        strings << read.string(name);
        integers << read.integer(name);
        (void)read.flag(name);
        try {
            (void)read.colour(name);
        } catch (const ConversionError &) {
        }
    }

    const QString fileName = settingName(SettingKey::LastMonthFile);
    const QString zeroGap = settingName(SettingKey::BreakLineAtZero);
    const QString awkward = QStringLiteral("/a \"b\"\\c\r\nd.tab");
    SettingsValues changed = read;
    changed.set(fileName, false, awkward);
    changed.set(zeroGap, true, QStringLiteral("1"));
    const SettingsValues written = SettingsValues::fromBytes(changed.toBytes());
    Fuzz::check(sameValues(written, changed), "every value survives its own bytes");
    Fuzz::check(written.string(fileName) == awkward, "a written string reads back");
    Fuzz::check(written.integer(zeroGap) == QStringLiteral("1"), "a written integer reads back");
    for (qsizetype i = 0; i < qsizetype(kAllSettingKeys.size()); ++i) {
        const SettingKey key = kAllSettingKeys.at(std::size_t(i));
        if (key == SettingKey::LastMonthFile || key == SettingKey::BreakLineAtZero)
            continue;
        Fuzz::check(written.string(settingName(key)) == strings.at(i), "strings survive a write");
        Fuzz::check(written.integer(settingName(key)) == integers.at(i),
                    "integers survive a write");
    }
    return 0;
}
