// The one place the program takes anything from the user's locale.
#pragma once

// Makes the C library follow the user's locale (LANG, LC_ALL, LC_TIME,
// LC_CTYPE; the regional settings on Windows) for two things only:
// - LC_TIME: date and time texts ("%x", "%X") are shown and typed the way the
//   user writes them;
// - LC_CTYPE: the user's character set, in which those texts come back from
//   the C library (a month name such as "März") and in which the name bytes
//   of a controller's answer are read (UTF-8 on today's desktops, the ANSI
//   code page on Windows); a byte that is no character there shows as U+FFFD.
// LC_NUMERIC stays "C", so every number the program shows, reads or writes
// keeps its one form ("6.500000", "6.50"). Returns false when the user's
// locale is not available; both then stay as they were ("C").
// Call it once at start, before any window is built.
bool UseUserLocale();
