#include "core/AppConfigFile.h"

#include <wx/log.h>

#include <utility>

LoadResult<std::unique_ptr<AppConfigFile>> ReadAppConfig(const wxString& path)
{
    auto table = std::make_unique<AppConfigFile>();
    const auto failed = [&table](LoadStatus status, const wxString& reason) {
        table->file.Close();
        return FailedLoad(status, reason, std::move(table));
    };
    wxLogNull quiet; // failures are reported through the status, not the log
    const LoadResult<wxFileOffset> opened = OpenForLoad(path, table->file);
    if (!opened.Loaded())
        return failed(opened.status, opened.reason);
    const wxFileOffset length = opened.value;
    if (length % static_cast<wxFileOffset>(kAppConfigRecordSize) != 0)
        return failed(LoadStatus::BadLength, "the length is not a whole number of 50-byte records");

    size_t wanted = static_cast<size_t>(length);
    if (wanted > kAppConfigBufferSize)
        wanted = kAppConfigBufferSize;
    const ssize_t got = table->file.Read(table->records.get(), wanted);
    if (got < 0)
        return failed(LoadStatus::ReadError, "the file could not be read");
    table->file.Close();
    table->recordCount = static_cast<uint16_t>(static_cast<size_t>(got) / kAppConfigRecordSize);
    return LoadedResult(std::move(table));
}
