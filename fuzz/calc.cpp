// SPDX-License-Identifier: MIT
// The calculator's engine on any expression. Each byte is one UTF-16 unit: ASCII as itself, the
// others one of the units the engine treats specially or must refuse (typographic operators,
// grouping spaces, a foreign separator, a full-width digit, a lone surrogate), so that short
// inputs reach them.
#include "KvCalc.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace kvcalc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static constexpr char16_t special[] = {u'\u00D7', u'\u00F7', u'\u2212', u'\u00A0',
                                           u'\u202F', u'\u066B', u'\uFF10', char16_t(0xD800)};
    if (size > 2 * MaxLength)
        return 0;
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i)
        text += data[i] < 0x80 ? char16_t(data[i]) : special[data[i] & 7];

    const TCalcResult result = Evaluate(text);
    if (!result.ok()) {
        if (result.position > text.size())
            std::abort();
        return 0;
    }
    // What the engine accepts, it shows, and reads back: at full precision to the very value, at
    // the shown digits to that value rounded.
    if (Evaluate(FormatNumber(result.value, u',', TDecimal::Precision)).value != result.value)
        std::abort();
    const TCalcResult shown = Evaluate(FormatNumber(result.value, u'.'));
    if (!shown.ok() || shown.value != *result.value.rounded(DisplayDigits))
        std::abort();
    return 0;
}
