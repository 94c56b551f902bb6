// Word-to-text and word-to-date helpers fed with arbitrary words: never a wx
// assertion, always a text, and dates that decode encode back to themselves.
#include "core/WordHelpers.h"

#include "harness.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 8)
        return 0;
    uint32_t a, b;
    std::memcpy(&a, data, 4);
    std::memcpy(&b, data + 4, 4);

    FuzzCheck(!FormatDecimal(a).empty(), "decimal text");
    FuzzCheck(!FormatTwoDecimals(a).empty(), "two-decimal text");
    FuzzCheck(!FormatIpAddress(a).empty(), "address text");
    FuzzCheck(FloatToWord(WordToFloat(a)) == a, "float bits kept");

    const wxDateTime date = DecodePackedDate(a);
    FuzzCheck(!FormatDateText(date).empty(), "date text");
    if (date.IsValid())
        FuzzCheck(EncodePackedDate(date) == a, "a real date encodes back to its word");
    const wxDateTime time = DecodePackedTime(b);
    FuzzCheck(!FormatTimeText(time).empty(), "time text");
    const wxDateTime both = DecodePackedDateTime(a, b);
    FuzzCheck(both.IsValid() == (date.IsValid() && time.IsValid()), "date-time valid when both are");
    if (both.IsValid())
        FuzzCheck(!FormatDateText(both).empty() && !FormatTimeText(both).empty(), "date-time text");
    return 0;
}
