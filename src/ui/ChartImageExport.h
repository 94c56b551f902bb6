// Exporting a drawn chart as an image file from a window: the file dialog,
// the encoding, the file written whole or not at all, and a message when it
// cannot be.
#pragma once

#include "core/FileResult.h"

#include <wx/bitmap.h>
#include <wx/string.h>

class wxWindow;

// The file dialog's filter for images with this extension, as in
// "PNG Image File (*.png)|*.png".
wxString ChartImageWildcard(const wxString& extension);
// Encodes image in memory in the format of type, then writes it to path
// whole: a failure never leaves an empty or cut-off image behind.
SaveResult WriteChartImage(const wxBitmap& image, const wxString& path, wxBitmapType type);
// The same, telling the user (a message box over parent) when it fails.
// Returns whether the file was written.
bool SaveChartImageTelling(wxWindow* parent, const wxBitmap& image, const wxString& path, wxBitmapType type);
// Asks for a file of the format (extension, type) and saves image there.
bool ExportChartImage(wxWindow* parent, const wxBitmap& image, const wxString& extension, wxBitmapType type);
