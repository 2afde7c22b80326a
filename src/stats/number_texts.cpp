#include "stats/number_texts.h"

#include <array>

namespace {

constexpr int kSharedCount = 1000;

const std::array<QString, kSharedCount> &sharedTexts()
{
    static const std::array<QString, kSharedCount> texts = [] {
        std::array<QString, kSharedCount> made;
        for (int i = 0; i < kSharedCount; ++i)
            made[std::size_t(i)] = QString::number(i);
        return made;
    }();
    return texts;
}

} // namespace

QString wholeNumberText(qint64 value)
{
    if (value >= 0 && value < kSharedCount)
        return sharedTexts()[std::size_t(value)];
    return QString::number(value);
}
