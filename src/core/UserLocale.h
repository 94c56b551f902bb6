// The one place the program takes anything from the user's locale.
#pragma once

// Makes the C library's date and time texts ("%x", "%X") follow the user's
// locale (LANG, LC_ALL, LC_TIME; the regional settings on Windows), so dates
// are shown and typed the way the user writes them. Only LC_TIME changes:
// LC_NUMERIC stays "C", so every number the program shows, reads or writes
// keeps its one form ("6.500000", "6.50"). Returns false when the user's
// locale is not available; LC_TIME then stays as it was ("C").
// Call it once at start, before any window is built.
bool UseUserDateLocale();
