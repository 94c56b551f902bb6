// Exporting node log records as CSV from a window: the file dialog, a
// progress dialog that can cancel once an export takes longer than half a
// second, and a message when the file cannot be written.
#pragma once

#include "core/LogCsv.h"
#include "core/NodeLog.h"

#include <wx/string.h>

#include <cstddef>
#include <functional>

class wxWindow;

// The file dialog's filter for CSV files.
extern const char* const kCsvWildcard;

// Asks for a file (the dialog titled title) and writes rowCount rows, row i
// being record(i), whole or not at all. Returns whether a file was written;
// a failure is told, a cancel leaves no file.
// extra, when given, adds its columns to every row.
bool ExportLogCsv(wxWindow* parent, const wxString& title, size_t rowCount,
                  const std::function<const LogRecord&(size_t)>& record, const LogCsvExtra* extra = nullptr);

// The same to a path already chosen, without the file dialog.
bool WriteLogCsvShowingProgress(wxWindow* parent, const wxString& path, size_t rowCount,
                                const std::function<const LogRecord&(size_t)>& record,
                                const LogCsvExtra* extra = nullptr);
