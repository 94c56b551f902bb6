// The node configuration file (*.hvc): the 400 bytes of one NodeConfig, slot
// i at byte offset 4 * i, little-endian, nothing before or after. Also the
// check a profile must pass before it may be written for the controller.
//
// Nothing here shows a message: a load returns a status and a save returns
// the reason it failed; the configuration page tells the user.
#pragma once

#include "core/NodeConfig.h"

#include <wx/string.h>

#include <array>
#include <cstddef>
#include <optional>

constexpr std::size_t kConfigFileSize = 4 * kParameterCount; // 400

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

enum class ConfigLoadStatus {
    Loaded,    // the profile was replaced by the file's content
    Missing,   // no file at the path: the profile is left as it was
    BadLength, // the length is not a multiple of 4: the profile is left as it was
    ReadError, // the file exists but could not be opened or read: left as it was
};

// Reads a configuration file. A file whose length is a multiple of 4 is
// accepted: a longer one gives its first 400 bytes, a shorter one leaves the
// rest of the profile 0. Only on Loaded is config changed (all 100 slots).
ConfigLoadStatus ReadConfigFile(const wxString& path, NodeConfig& config);

// Writes the 400 bytes of config to path whole or not at all (see
// WriteFileAtomically). On failure the old file is untouched and error holds a
// one-line reason for the user.
bool WriteConfigFile(const wxString& path, const NodeConfig& config, wxString& error);
