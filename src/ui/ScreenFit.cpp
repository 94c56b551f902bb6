#include "ui/ScreenFit.h"

#include <wx/display.h>
#include <wx/listctrl.h>
#include <wx/toplevel.h>

#include <algorithm>

int ListCellPadding(const wxWindow& list)
{
    // The list draws a cell's text 4 pixels in from either edge of its
    // column and a header's title 5 in; a few more keep a text clear of the
    // column line next to it.
    return list.FromDIP(16);
}

int FitColumnWidth(const wxListCtrl& list, const wxString& title, const std::vector<wxString>& texts,
                   int minimum)
{
    int widest = list.GetTextExtent(title).x;
    for (const wxString& text : texts)
        widest = std::max(widest, list.GetTextExtent(text).x);
    return std::max(list.FromDIP(minimum), widest + ListCellPadding(list));
}

void PlaceOnParent(wxTopLevelWindow& window)
{
    wxWindow* parent = window.GetParent();
    const int found = wxDisplay::GetFromWindow(parent ? parent : &window);
    const wxRect area = wxDisplay(found == wxNOT_FOUND ? 0u : static_cast<unsigned>(found)).GetClientArea();

    wxSize size = window.GetSize();
    size.DecTo(area.GetSize());
    if (size != window.GetSize())
        window.SetSize(size);

    const wxRect around = parent ? parent->GetScreenRect() : area;
    wxPoint at(around.x + (around.width - size.x) / 2, around.y + (around.height - size.y) / 2);
    // Centred on a parent near the screen's edge, it would stick out of it.
    at.x = std::clamp(at.x, area.x, area.GetRight() + 1 - size.x);
    at.y = std::clamp(at.y, area.y, area.GetBottom() + 1 - size.y);
    window.Move(at);
}
