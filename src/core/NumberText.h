// Numbers typed into the dialogs' fields, read leniently the way the C
// library reads them (leading blanks skipped, the leading number taken,
// anything after it ignored, 0 when there is none). Two whole-number readers
// with deliberately different rules for what does not fit 32 bits:
//
//                          "5a"  ""  "-1"        "-5"        "4294967346"
//   ReadUnsignedSaturating  5    0   4294967295  4294967295  4294967295
//   ReadUnsignedWrapping    5    0   4294967295  4294967291  4294967295
//
// The profile's fields saturate, so a typed value that does not fit can
// never wrap round to one that passes a range check; the schedule's fields
// behave exactly as the original program's 32-bit strtoul.
#pragma once

#include <wx/string.h>

#include <cstdint>

// The profile's reader: as strtoull (base 10) reads the text, then anything
// beyond 32 bits gives 0xFFFFFFFF. strtoull reads "-5" as 2^64 - 5, so a
// negative number saturates too.
uint32_t ReadUnsignedSaturating(const wxString& text);

// The schedule's reader: as the C library's strtoul (base 10) with a 32-bit
// unsigned long, in the "C" locale. A negative number wraps modulo 2^32
// ("-1" is 4294967295, "-101" is 4294967195); a magnitude beyond 4294967295,
// negative or not, gives 4294967295.
uint32_t ReadUnsignedWrapping(const wxString& text);

// As strtod reads the text in the "C" locale, whatever locale is set: a PH of
// 6.5 is typed with a point on every machine. Plus or minus sign, 0x hex
// floats, "inf" and "nan" as strtod takes them; out of range gives HUGE_VAL
// or 0.
double ReadDecimalText(const wxString& text);
