#include "core/ConfigFile.h"

#include "core/SafeFile.h"
#include "core/Words.h"

#include <wx/file.h>
#include <wx/log.h>

namespace {

// A zero target switches its channel's adjustment off, and with it the
// checks of the entries that only serve that adjustment. The test is on the
// raw slot, so for a PH target only the all-zero pattern counts.
bool SwitchedOffByZeroTarget(const NodeConfig& config, int index)
{
    switch (index) {
    case 50:
    case 54:
    case 64:
        return config[kIndexEc1Target] == 0;
    case 51:
    case 55:
    case 65:
        return config[kIndexEc2Target] == 0;
    case 52:
    case 56:
    case 58:
    case 66:
        return config[kIndexPh1Target] == 0;
    case 53:
    case 57:
    case 59:
    case 67:
        return config[kIndexPh2Target] == 0;
    default:
        return false;
    }
}

} // namespace

std::optional<int> ValidateForSave(const NodeConfig& config)
{
    const uint32_t mode = config[kIndexOperationMode];
    for (int index = 0; index < kParameterCount; ++index) {
        if (SwitchedOffByZeroTarget(config, index) || IsUnusedInMode(index, mode) ||
            index >= kIndexHostname || KindOf(index) == ParamKind::None)
            continue;
        if (!IsValidValue(index, config[index]))
            return index;
    }
    return std::nullopt;
}

ConfigImage EncodeConfig(const NodeConfig& config)
{
    return RecordBytesLE(config.slots);
}

NodeConfig DecodeConfig(const unsigned char* bytes, std::size_t size)
{
    ConfigImage image{};
    if (bytes)
        std::copy(bytes, bytes + std::min(size, kConfigFileSize), image.begin());
    NodeConfig config;
    config.slots = LoadRecordLE<kParameterCount>(image.data());
    return config;
}

LoadResult<NodeConfig> ReadConfigFile(const wxString& path)
{
    wxLogNull quiet; // the page tells the user; no log dialogs from wxFile
    wxFile file;
    const LoadResult<wxFileOffset> opened = OpenForLoad(path, file);
    if (!opened.Loaded())
        return FailedLoad<NodeConfig>(opened.status, opened.reason);
    const wxFileOffset length = opened.value;
    if (length % 4 != 0)
        return FailedLoad<NodeConfig>(LoadStatus::BadLength, "the length is not a whole number of words");

    const std::size_t wanted = std::min(static_cast<std::size_t>(length), kConfigFileSize);
    ConfigImage image{};
    std::size_t got = 0;
    while (got < wanted) {
        const ssize_t n = file.Read(image.data() + got, wanted - got);
        if (n == wxInvalidOffset || n < 0)
            return FailedLoad<NodeConfig>(LoadStatus::ReadError, "the file could not be read");
        if (n == 0)
            break; // the file shrank while we read it: what we have, zero-filled
        got += static_cast<std::size_t>(n);
    }
    return LoadedResult(DecodeConfig(image.data(), got));
}

SaveResult WriteConfigFile(const wxString& path, const NodeConfig& config)
{
    const ConfigImage image = EncodeConfig(config); // a copy taken before the write
    return WriteFileAtomically(path, image.data(), image.size());
}
