#include "core/NumberText.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

uint32_t ReadUnsignedSaturating(const wxString& text)
{
    const wxScopedCharBuffer utf8 = text.utf8_str();
    const char* begin = utf8.data();
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(begin, &end, 10);
    if (end == begin)
        return 0;
    // Anything beyond 32 bits (strtoull also reads "-5" as 2^64 - 5) is out of
    // every range, so it must stay out of range when stored, not wrap round.
    if (errno == ERANGE || value > UINT32_MAX)
        return UINT32_MAX;
    return static_cast<uint32_t>(value);
}

namespace {

// The blanks strtoul and strtod skip in the "C" locale.
bool IsCBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

uint32_t ReadUnsignedWrapping(const wxString& text)
{
    const std::string utf8 = text.utf8_string();
    const char* p = utf8.c_str();
    while (IsCBlank(*p))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    uint64_t magnitude = 0;
    bool overflow = false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        magnitude = magnitude * 10 + static_cast<uint64_t>(*p - '0');
        if (magnitude > 0xFFFFFFFFu) {
            overflow = true;
            magnitude = 0xFFFFFFFFu; // keeps the loop from wrapping on long texts
        }
    }
    if (overflow)
        return 0xFFFFFFFFu; // a 32-bit strtoul gives ULONG_MAX either way
    const uint32_t low = static_cast<uint32_t>(magnitude);
    return negative ? 0u - low : low;
}

double ReadDecimalText(const wxString& text)
{
    // std::from_chars reads in the "C" locale whatever locale is set, so a PH
    // of 6.5 is typed with a point on every machine. It neither skips blanks
    // nor takes a plus sign or a 0x prefix as strtod does; those are done here.
    const std::string utf8 = text.utf8_string();
    const char* p = utf8.c_str();
    const char* const end = p + utf8.size();
    while (p < end && IsCBlank(*p))
        ++p;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    if (p < end && (*p == '-' || *p == '+'))
        return 0.0; // "--5" or "+-5" holds no number
    double value = 0.0;
    std::chars_format format = std::chars_format::general;
    // "0x" counts as a hexadecimal prefix only when a digit, or a point and
    // a digit, follows (strtod reads "0x" alone as 0 followed by "x").
    const bool hexPrefix = end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
    if (hexPrefix && (std::isxdigit(static_cast<unsigned char>(p[2])) != 0 ||
                      (end - p > 3 && p[2] == '.' && std::isxdigit(static_cast<unsigned char>(p[3])) != 0))) {
        p += 2;
        format = std::chars_format::hex;
    }
    const std::from_chars_result result = std::from_chars(p, end, value, format);
    if (result.ec == std::errc::invalid_argument)
        return 0.0;
    // Out of range: strtod gives HUGE_VAL or 0 with ERANGE; from_chars leaves
    // value untouched, so say what strtod says.
    if (result.ec == std::errc::result_out_of_range) {
        const bool tiny = [&] {
            // An exponent with a minus sign makes the value too small, not too big.
            const char mark = format == std::chars_format::hex ? 'p' : 'e';
            for (const char* q = p; q + 1 < result.ptr; ++q)
                if ((*q == mark || *q == mark - 'a' + 'A') && q[1] == '-')
                    return true;
            return false;
        }();
        value = tiny ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}
