#include "ui/CsvExport.h"

#include "ui/SavePath.h"

#include "core/LogCsv.h"

#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/progdlg.h>
#include <wx/stopwatch.h>

#include <memory>

const char* const kCsvWildcard = "CSV File (*.csv)|*.csv";

bool ExportLogCsv(wxWindow* parent, const wxString& title, size_t rowCount,
                  const std::function<const LogRecord&(size_t)>& record, const LogCsvExtra* extra)
{
    wxFileDialog dialog(parent, title, "", "", kCsvWildcard, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty())
        return false;
    const wxString path = ChooseSavePath(parent, dialog.GetPath(), "csv", title);
    if (path.empty())
        return false;
    return WriteLogCsvShowingProgress(parent, path, rowCount, record, extra);
}

bool WriteLogCsvShowingProgress(wxWindow* parent, const wxString& path, size_t rowCount,
                                const std::function<const LogRecord&(size_t)>& record,
                                const LogCsvExtra* extra)
{
    // The progress dialog appears only for an export that takes a while.
    wxStopWatch clock;
    std::unique_ptr<wxProgressDialog> progress;
    auto onProgress = [&](size_t done, size_t total) {
        if (!progress) {
            if (clock.Time() < 500)
                return true;
            progress = std::make_unique<wxProgressDialog>(
                "Export Data to CSV", "Writing " + wxString::Format("%zu", total) + " records...", 1000,
                parent, wxPD_CAN_ABORT | wxPD_APP_MODAL | wxPD_ELAPSED_TIME | wxPD_REMAINING_TIME);
        }
        const int value = total ? static_cast<int>(done * 1000 / total) : 1000;
        return progress->Update(std::min(value, 999));
    };
    const SaveResult result = WriteLogCsv(path, rowCount, record, onProgress, extra);
    progress.reset();
    if (result.Saved() || result.Cancelled())
        return result.Saved();
    wxMessageBox("Cannot export the records to \"" + path + "\": " + result.reason, wxMessageBoxCaptionStr,
                 wxOK | wxCENTRE | wxICON_ERROR, parent);
    return false;
}
