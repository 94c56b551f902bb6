// The node configuration file (*.hvc): the 400 bytes of one NodeConfig, slot
// i at byte offset 4 * i, little-endian, nothing before or after. Also the
// check a profile must pass before it may be written for the controller.
//
// Nothing here shows a message: a load returns a LoadResult and a save a
// SaveResult; the configuration page tells the user.
#pragma once

#include "core/FileResult.h"
#include "core/NodeConfig.h"

#include <wx/string.h>

#include <array>
#include <cstddef>
#include <optional>

constexpr std::size_t kConfigFileSize = 4 * static_cast<std::size_t>(kParameterCount); // 400

using ConfigImage = std::array<unsigned char, kConfigFileSize>;

// The parameter index of the first entry that must be valid and is not, or
// nothing when the profile may be saved. Entries switched off by a zero
// target, entries the operation mode does not use, the network settings and
// the reserved slots are never reported.
std::optional<int> ValidateForSave(const NodeConfig& config);

// The file image of a profile (reserved slots included) and back. Decoding
// takes at most 400 bytes; slots beyond the end of a shorter image are 0.
ConfigImage EncodeConfig(const NodeConfig& config);
NodeConfig DecodeConfig(const unsigned char* bytes, std::size_t size);

// Reads a configuration file. A file whose length is a multiple of 4 is
// accepted: a longer one gives its first 400 bytes, a shorter one leaves the
// rest of the profile 0. Statuses: Loaded (the value is the file's profile,
// all 100 slots), Missing, BadLength (not a multiple of 4), ReadError (the
// file exists but could not be opened or read). Only a Loaded value replaces
// the page's profile; on any other status it is left as it was.
LoadResult<NodeConfig> ReadConfigFile(const wxString& path);

// Writes the 400 bytes of config to path whole or not at all (see
// WriteFileAtomically). On failure the old file is untouched and the result
// holds a one-line reason for the user.
SaveResult WriteConfigFile(const wxString& path, const NodeConfig& config);
