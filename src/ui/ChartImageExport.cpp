#include "ui/ChartImageExport.h"

#include "ui/SavePath.h"

#include "core/SafeFile.h"

#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/mstream.h>

wxString ChartImageWildcard(const wxString& extension)
{
    return extension.Upper() + " Image File (*." + extension + ")|*." + extension;
}

SaveResult WriteChartImage(const wxBitmap& image, const wxString& path, wxBitmapType type)
{
    if (!image.IsOk())
        return FailedSave("the chart window has no room to draw the chart");
    wxImage pixels = image.ConvertToImage();
    if (type == wxBITMAP_TYPE_PNG) {
        // A chart is rows of flat colour crossed by thin lines: each row told
        // as its difference to the row above (libpng's "up" filter) and run
        // lengths (zlib's Z_RLE) give as small a file as trying every filter
        // on every row does, in half the time.
        constexpr int kPngFilterUp = 0x20, kZlibRunLengths = 3;
        pixels.SetOption(wxIMAGE_OPTION_PNG_FILTER, kPngFilterUp);
        pixels.SetOption(wxIMAGE_OPTION_PNG_COMPRESSION_STRATEGY, kZlibRunLengths);
    }
    wxMemoryOutputStream encoded;
    bool encodedOk = false;
    {
        wxLogNull quiet;
        encodedOk = pixels.IsOk() && pixels.SaveFile(encoded, type);
    }
    if (!encodedOk)
        return FailedSave("the image could not be encoded in this format");
    const wxStreamBuffer* bytes = encoded.GetOutputStreamBuffer();
    return WriteFileAtomically(path, bytes->GetBufferStart(), static_cast<size_t>(encoded.GetLength()));
}

bool SaveChartImageTelling(wxWindow* parent, const wxBitmap& image, const wxString& path, wxBitmapType type)
{
    const SaveResult saved = WriteChartImage(image, path, type);
    if (!saved.Saved())
        wxMessageBox("Cannot export the chart to \"" + path + "\": " + saved.reason, wxMessageBoxCaptionStr,
                     wxOK | wxCENTRE | wxICON_ERROR, parent);
    return saved.Saved();
}

bool ExportChartImage(wxWindow* parent, const wxBitmap& image, const wxString& extension, wxBitmapType type)
{
    wxFileDialog dialog(parent, "Export Chart", "", "", ChartImageWildcard(extension),
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty())
        return false;
    const wxString path = ChooseSavePath(parent, dialog.GetPath(), extension, "Export Chart");
    return !path.empty() && SaveChartImageTelling(parent, image, path, type);
}
