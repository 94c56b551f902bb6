#include "core/Version.h"

#include "core/WordHelpers.h"

wxString GetVersionText()
{
    const uint32_t parts[] = {0, 9, 0, 1};
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
