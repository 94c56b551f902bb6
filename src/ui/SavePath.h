// The file a save dialog's answer names: a name typed without an extension
// gets the extension of the format chosen, and a file that name would
// replace is only replaced when the user agrees.
#pragma once

#include <wx/string.h>

class wxWindow;

// path with "." + extension added when its file name has no extension (a
// name ending in a dot gets the extension after that dot).
wxString WithDefaultExtension(const wxString& path, const wxString& extension);

// The path to write for a save dialog's answer path: path itself when its
// name has an extension (the dialog has asked about replacing it), else the
// name with extension added; when that file exists, a message box (caption
// caption, Yes and No) asks whether to replace it. Empty when the user says
// no.
wxString ChooseSavePath(wxWindow* parent, const wxString& path, const wxString& extension,
                        const wxString& caption);

// The question asked before an added extension replaces a file.
wxString ReplaceQuestion(const wxString& path);
