// Calendar dates as a user types them: the short date form of the user's
// locale (its order of day, month and year, and its separators) with a two-
// or a four-digit year, and ISO 8601 "2012-12-30" in any locale.
//
// A short form is a strftime-style pattern of %d, %m and %y or %Y with the
// literal text around them ("%m/%d/%y", "%d.%m.%Y"), as UserShortDateFormat
// finds it. Nothing here asserts: fields are checked before a wxDateTime is
// made, and a text that is no date reads as wxInvalidDateTime.
//
// Two-digit years are taken as 2000 to 2099: schedules are made for days to
// come, the controller's clock holds full years of this century, and no
// grower plans a run in the 1900s. A fixed century also reads a text the same
// way every day, where a window sliding with today's date would not.
#pragma once

#include <wx/datetime.h>
#include <wx/string.h>

// The short date form of the C library's current LC_TIME (see
// UseUserLocale), found by formatting a probe date with "%x": "%m/%d/%y"
// in the "C" locale, "%m/%d/%Y" in en_US, "%d.%m.%Y" in de_DE. A "%x" that is
// not three plain numbers (month names, other digits) gives "%Y-%m-%d".
wxString UserShortDateFormat();

// The date in text, read in the order and with the separators of shortFormat
// (any of its literal characters separates; a two- or four-digit year either
// way), or as yyyy-mm-dd; blanks around the text are ignored. Local midnight
// of that day, as DecodePackedDate gives. wxInvalidDateTime for anything
// else: a missing or extra field, a day beyond its month (29 February only in
// leap years), a month above 12, a year of one or three digits or before 1000.
wxDateTime ParseUserDateText(const wxString& text, const wxString& shortFormat);

// t as shortFormat writes it, always with the four-digit year ("12/30/2012"
// for "%m/%d/%y"), so that reading it back can never change the century.
// Empty for an invalid t.
wxString FormatUserDateText(const wxDateTime& t, const wxString& shortFormat);
