// A node call answer from anyone on the network: any datagram decodes or is
// ignored without reading past what arrived, never a wx assertion, and a
// decoded answer always has texts for its row.
#include "core/NodeCall.h"

#include "harness.h"

#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact-size heap copy, so ASan sees any read past the datagram.
    std::unique_ptr<unsigned char[]> bytes(new unsigned char[size ? size : 1]);
    if (size)
        std::memcpy(bytes.get(), data, size);

    NodeCallAnswer answer;
    const bool decoded =
        DecodeNodeCallAnswer(bytes.get(), size, "10.200.0.2", answer, wxDateTime(1, wxDateTime::Jan, 2024));
    uint32_t magic = 0;
    if (size >= 4)
        std::memcpy(&magic, data, 4);
    const bool expected = size >= kNodeCallAnswerMinSize && magic == kNodeCallAnswerMagic;
    FuzzCheck(decoded == expected, "answers are the magic word and at least 36 bytes");
    if (decoded) {
        FuzzCheck(!answer.date.empty() && !answer.time.empty(), "date and time texts");
        FuzzCheck(answer.address == "10.200.0.2", "sender address kept");
        FuzzCheck(answer.serverName.length() <= kNodeCallNameSize, "at most 16 name characters");
        for (wxUniChar c : answer.serverName)
            FuzzCheck(c.GetValue() >= 0x20 && c.GetValue() != 0x7F, "no control characters in a name");
    }
    if (size >= kNodeCallNameSize) {
        const wxString name = DecodeServerName(bytes.get(), kNodeCallNameSize);
        FuzzCheck(name.length() <= kNodeCallNameSize, "name within its bytes");
    }
    return 0;
}
