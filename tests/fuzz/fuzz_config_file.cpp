// The configuration file: any bytes are either refused whole or read as the
// file's first 400 bytes with zeros after a shorter file, and written back as
// those bytes; the save check and every list text of the loaded profile work
// on whatever the file held.
#include "core/ConfigFile.h"
#include "core/ConfigRows.h"
#include "core/ParameterTable.h"

#include "harness.h"

#include <algorithm>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const LoadResult<NodeConfig> loaded = ReadConfigFile(WriteScratchFile(data, size));
    if (size % 4 != 0) {
        FuzzCheck(loaded.status == LoadStatus::BadLength && !loaded.reason.empty(), "bad length refused");
        return 0;
    }
    FuzzCheck(loaded.status == LoadStatus::Loaded, "whole words load");
    const NodeConfig& config = loaded.value;
    const ConfigImage image = EncodeConfig(config);
    const size_t used = std::min(size, kConfigFileSize);
    FuzzCheck(used == 0 || std::memcmp(image.data(), data, used) == 0, "the file's bytes, in order");
    FuzzCheck(std::all_of(image.begin() + static_cast<long>(used), image.end(),
                          [](unsigned char b) { return b == 0; }),
              "zeros after a short file");

    if (const auto invalid = ValidateForSave(config))
        FuzzCheck(*invalid >= 1 && *invalid < 80 && !IsValidValue(*invalid, config[*invalid]),
                  "reported entry is invalid");

    ParameterTexts units;
    FillUnitTexts(units);
    for (uint32_t code : ConfigRowTable) {
        (void)ConfigValueText(config, code, units);
        if (!IsSectionCode(code)) {
            NodeConfig copy = config;
            StoreEditedValue(copy, static_cast<int>(code), EditValueOf(copy, static_cast<int>(code)));
            FuzzCheck(copy == config, "an unchanged edit stores the same slots");
        }
    }
    return 0;
}
