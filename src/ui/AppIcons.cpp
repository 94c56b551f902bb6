#include "ui/AppIcons.h"

#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/imagpng.h>

#include "halvane_icons.h"
#include "images/icon.xpm"

wxIconBundle MakeAppIconBundle()
{
    wxIconBundle bundle;
    bundle.AddIcon(wxIcon(icon_xpm));
    // The larger sizes are PNG data; start-up registers every image handler,
    // but a window made before that (or without it) still gets its icons.
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
        wxImage::AddHandler(new wxPNGHandler);
    for (const EmbeddedIcon& embedded : kEmbeddedIcons) {
        const wxBitmap bitmap = wxBitmap::NewFromPNGData(embedded.data, embedded.length);
        if (!bitmap.IsOk() || bitmap.GetWidth() != embedded.size)
            continue;
        wxIcon icon;
        icon.CopyFromBitmap(bitmap);
        bundle.AddIcon(icon);
    }
    return bundle;
}
