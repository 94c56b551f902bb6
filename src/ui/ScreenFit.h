// Sizes that follow the user's font and screen: report columns as wide as
// the texts they hold, and dialogs that fit the screen, centred on their
// parent.
#pragma once

#include <wx/string.h>

#include <initializer_list>
#include <vector>

class wxListCtrl;
class wxTopLevelWindow;
class wxWindow;

// Room a report cell or header takes beside its text: the list's margins
// either side of a cell's text and the header's either side of its title.
int ListCellPadding(const wxWindow& list);

// The width for a column of list titled `title` whose cells show `texts`:
// the widest of them in the list's font plus the cell padding, but never
// narrower than `minimum` (pixels at the default font, scaled as the list
// scales them).
int FitColumnWidth(const wxListCtrl& list, const wxString& title, const std::vector<wxString>& texts,
                   int minimum);

// Keeps window within the work area of the display its parent is on
// (shrinking it where it is larger) and centres it on its parent, or on the
// work area when it has none.
void PlaceOnParent(wxTopLevelWindow& window);
