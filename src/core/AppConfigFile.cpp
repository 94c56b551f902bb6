#include "core/AppConfigFile.h"

#include <wx/filefn.h>
#include <wx/log.h>

std::unique_ptr<AppConfigFile> ReadAppConfig(const wxString& path, AppConfigStatus& status)
{
    auto table = std::make_unique<AppConfigFile>();
    status = AppConfigStatus::Missing;
    if (!wxFileExists(path))
        return table;

    wxLogNull quiet;  // failures are reported through the status, not the log
    if (!table->file.Open(path, wxFile::read, wxS_DEFAULT)) {
        status = AppConfigStatus::ReadError;
        return table;
    }
    const wxFileOffset length = table->file.Length();
    if (length < 0) {
        table->file.Close();
        status = AppConfigStatus::ReadError;
        return table;
    }
    if (length % static_cast<wxFileOffset>(kAppConfigRecordSize) != 0) {
        table->file.Close();
        status = AppConfigStatus::BadLength;
        return table;
    }

    size_t wanted = static_cast<size_t>(length);
    if (wanted > kAppConfigBufferSize)
        wanted = kAppConfigBufferSize;
    const ssize_t got = table->file.Read(table->records.get(), wanted);
    table->file.Close();
    if (got < 0) {
        status = AppConfigStatus::ReadError;
        return table;
    }
    table->recordCount = static_cast<uint16_t>(static_cast<size_t>(got) / kAppConfigRecordSize);
    status = AppConfigStatus::Loaded;
    return table;
}
