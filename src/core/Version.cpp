#include "core/Version.h"

#include "core/WordHelpers.h"

wxString GetVersionText()
{
    // The four numbers of the CMake project's VERSION.
    const uint32_t parts[] = {HALVANE_VERSION_MAJOR, HALVANE_VERSION_MINOR, HALVANE_VERSION_PATCH,
                              HALVANE_VERSION_TWEAK};
    wxString text;
    for (uint32_t part : parts) {
        if (!text.empty())
            text << ".";
        text << FormatDecimal(part);
    }
    return text;
}

wxString GetClientTitle()
{
    return "HALVANE DUO CLIENT v" + GetVersionText();
}

wxString GetBuildDateText()
{
    return "04/02/12";
}
