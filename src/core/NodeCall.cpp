#include "core/NodeCall.h"

#include "core/NodeClock.h"
#include "core/WordHelpers.h"
#include "core/Words.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <type_traits>
#include <vector>

namespace {

constexpr wchar_t kReplacement = 0xFFFD;
constexpr size_t kLargestDatagram = 65536; // an IPv4 datagram carries at most 65507 bytes

// Characters that would make a list row misleading or unreadable: C0 and C1
// controls, DEL, line and paragraph separators and the bidirectional
// overrides and isolates (which could show a name backwards).
bool IsUnsafeCharacter(wchar_t c)
{
    // A wide character is a whole code point, not a byte: no sign to lose.
    const auto u = static_cast<std::make_unsigned_t<wchar_t>>(c); // NOLINT(bugprone-signed-char-misuse)
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || (u >= 0x2028 && u <= 0x202E) ||
           (u >= 0x2066 && u <= 0x2069) || u == 0x200E || u == 0x200F;
}

} // namespace

std::array<unsigned char, 4> NodeCallRequest()
{
    std::array<unsigned char, 4> request;
    StoreWordLE(request.data(), kNodeCallRequestMagic);
    return request;
}

wxString DecodeServerName(const unsigned char* nameBytes, size_t size)
{
    const auto* begin = reinterpret_cast<const char*>(nameBytes);
    const char* end = std::find(begin, begin + size, '\0');
    wxString name;
    std::mbstate_t state{};
    const char* p = begin;
    while (p < end) {
        wchar_t c = 0;
        const size_t n = std::mbrtowc(&c, p, static_cast<size_t>(end - p), &state);
        if (n == static_cast<size_t>(-1) || n == static_cast<size_t>(-2) || n == 0) {
            // Not a character in the current set, or cut off by the 16-byte
            // field: show the byte as one replacement character and go on.
            name += kReplacement;
            state = std::mbstate_t{};
            ++p;
            continue;
        }
        name += IsUnsafeCharacter(c) ? kReplacement : c;
        p += n;
    }
    return name;
}

bool DecodeNodeCallAnswer(const unsigned char* bytes, size_t size, const wxString& senderAddress,
                          NodeCallAnswer& answer, const wxDateTime& arrival)
{
    size = std::min(size, kNodeCallAnswerMaxSize);
    if (bytes == nullptr || size < kNodeCallAnswerMinSize)
        return false;
    if (LoadWordLE(bytes) != kNodeCallAnswerMagic)
        return false;
    const uint32_t dateWord = LoadWordLE(bytes + 12);
    const uint32_t timeWord = LoadWordLE(bytes + 16);
    answer.date = FormatDateText(DecodePackedDate(dateWord));
    answer.time = FormatTimeText(DecodePackedTime(timeWord));
    const NodeClock clock = CompareNodeClock(dateWord, timeWord, arrival);
    answer.clock = clock.text;
    answer.clockOff = clock.off;
    answer.serverName = DecodeServerName(bytes + kNodeCallNameOffset, kNodeCallNameSize);
    answer.address = senderAddress;
    return true;
}

wxIPV4address NodeCallBroadcastAddress()
{
    wxIPV4address address;
    address.BroadcastAddress();
    address.Service(kNodeCallPort);
    return address;
}

NodeCallSendResult SendNodeCallRequest(const wxIPV4address& destination)
{
    NodeCallSendResult result;
    wxIPV4address unused; // ignored: the socket is not bound, the system picks the source port
    unused.AnyAddress();
    // wxSOCKET_BROADCAST turns SO_BROADCAST on.
    auto* socket = new wxDatagramSocket(unused, wxSOCKET_BROADCAST | wxSOCKET_NOBIND);
    if (!socket->IsOk()) {
        // No descriptor to send on: never attempt the send.
        result.status = NodeCallSendStatus::NoSocket;
        socket->Destroy();
        return result;
    }

    const auto request = NodeCallRequest();
    socket->SendTo(destination, request.data(), request.size());
    if (socket->Error()) {
        result.status = NodeCallSendStatus::SendFailed;
        result.error = static_cast<int>(socket->LastError());
    }
    socket->Close();
    socket->Destroy();
    return result;
}

wxDatagramSocket* OpenNodeCallListener(const wxIPV4address& local, wxEvtHandler& handler, int id)
{
    // A read from the event handler must never wait: with the default flags
    // an empty read would block (or re-enter the event loop) for minutes.
    auto* socket = new wxDatagramSocket(local, wxSOCKET_NOWAIT);
    if (!socket->IsOk()) {
        socket->Destroy();
        return nullptr;
    }
    socket->SetEventHandler(handler, id);
    socket->SetNotify(wxSOCKET_INPUT_FLAG);
    socket->Notify(true);
    return socket;
}

NodeCallReceive ReceiveNodeCallAnswer(wxDatagramSocket& socket, NodeCallAnswer& answer)
{
    // Room for the largest datagram there is, though only the first
    // kNodeCallAnswerMaxSize bytes count: Windows refuses to read a datagram
    // into a smaller buffer (WSAEMSGSIZE) and drops it, where Linux cuts it.
    std::vector<unsigned char> buffer(kLargestDatagram);
    wxIPV4address sender;
    socket.RecvFrom(sender, buffer.data(), static_cast<wxUint32>(buffer.size()));
    const wxDateTime arrival = wxDateTime::Now();
    if (socket.Error() || socket.LastCount() == 0)
        return NodeCallReceive::Nothing;
    if (!DecodeNodeCallAnswer(buffer.data(), socket.LastCount(), sender.IPAddress(), answer, arrival))
        return NodeCallReceive::Ignored;
    return NodeCallReceive::Answer;
}

std::vector<NodeCallAnswer> WidestNodeCallAnswers()
{
    const wxDateTime sample = WidestDateTimeSample();
    std::vector<NodeCallAnswer> answers;
    for (const char letter : {'W', 'M'}) {
        unsigned char name[kNodeCallNameSize];
        std::memset(name, letter, sizeof name);
        answers.push_back({FormatDateText(sample), FormatTimeText(sample),
                           DecodeServerName(name, sizeof name), "255.255.255.255", WidestClockText()});
    }
    answers.push_back({InvalidDateTimeText(), InvalidDateTimeText(), wxString(), wxString(), "(invalid)"});
    return answers;
}
