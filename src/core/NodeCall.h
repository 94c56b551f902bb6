// Node call: finding the controllers on the local network.
//
// The client broadcasts a 4-byte request to 255.255.255.255, UDP port 5680;
// every controller that hears it answers to port 5680 of the client with its
// date, time and server name. Answers arrive on a socket bound to port 5680
// for as long as the node call page lives.
//
// Answer datagram (little-endian words, at most 64 bytes are read):
//   0  answer magic 63902 (0xF99E)      12  PackedDate      16  PackedTime
//   20 server name, 16 bytes, NUL-terminated when shorter
//
// The byte-level functions are pure; the socket functions never show a
// message: they return what happened and the page tells the user.
#pragma once

#include <wx/datetime.h>
#include <wx/socket.h>
#include <wx/string.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr unsigned short kNodeCallPort = 5680;
constexpr uint32_t kNodeCallRequestMagic = 63903; // 0xF99F, on the wire 9F F9 00 00
constexpr uint32_t kNodeCallAnswerMagic = 63902;  // one less: our own looped-back request is no answer
constexpr size_t kNodeCallAnswerMaxSize = 64;     // bytes read of each datagram
constexpr size_t kNodeCallAnswerMinSize = 36;     // magic, 8 unused, date, time, 16 name bytes
constexpr size_t kNodeCallNameOffset = 20;
constexpr size_t kNodeCallNameSize = 16;

// The request datagram: the request magic as a little-endian word.
std::array<unsigned char, 4> NodeCallRequest();

// The four texts a controller's answer shows as.
struct NodeCallAnswer {
    wxString date;       // "%x" of the date word, or InvalidDateTimeText()
    wxString time;       // "%X" of the time word, or InvalidDateTimeText()
    wxString serverName; // up to 16 characters
    wxString address;    // the sender, dotted decimal
    wxString clock;      // the controller's clock against ours (CompareNodeClock)
    bool clockOff = false;
};

// Decodes a received datagram of `size` bytes (only the first 64 count).
// Returns false, leaving `answer` alone, when the first word is not the
// answer magic or the datagram is shorter than 36 bytes (its name, time or
// date would be missing). Any other content decodes without failing.
// `arrival` is when the datagram came, the moment the controller's clock is
// compared with.
bool DecodeNodeCallAnswer(const unsigned char* bytes, size_t size, const wxString& senderAddress,
                          NodeCallAnswer& answer, const wxDateTime& arrival);

// The 16 name bytes up to the first NUL, converted with the C library's
// current multibyte conversion. The bytes come from anyone on the network,
// so every byte that does not convert, and every control character, shows
// as U+FFFD (the replacement character) instead of vanishing or breaking
// the row: one bad byte never empties a name.
wxString DecodeServerName(const unsigned char* nameBytes, size_t size = kNodeCallNameSize);

// Answers whose texts are as wide as a row's get, for making the columns as
// wide: the date and time of WidestDateTimeSample() and undecodable ones,
// 16-character names of wide letters ('W', 'M') and the longest address.
std::vector<NodeCallAnswer> WidestNodeCallAnswers();

// The destination of a search: 255.255.255.255, port 5680.
wxIPV4address NodeCallBroadcastAddress();

enum class NodeCallSendStatus {
    Sent,
    NoSocket,  // the sending socket could not be created: nothing was sent
    SendFailed // the send reported an error (see error)
};

struct NodeCallSendResult {
    NodeCallSendStatus status = NodeCallSendStatus::Sent;
    int error = 0; // the toolkit's socket error code (wxSocketError) after a failed send
};

// Sends one request from a short-lived unbound socket with SO_BROADCAST set,
// then closes and destroys that socket.
NodeCallSendResult SendNodeCallRequest(const wxIPV4address& destination);

// Creates the listening socket bound to `local`, with input events to
// `handler` under `id`. Reads never wait: an event handler that finds no
// datagram simply returns. The caller owns the socket and ends it with
// Destroy(). Returns nullptr when the socket could not be bound.
wxDatagramSocket* OpenNodeCallListener(const wxIPV4address& local, wxEvtHandler& handler, int id);

enum class NodeCallReceive {
    Nothing, // no datagram was waiting
    Ignored, // a datagram that is not an answer (wrong magic, too short)
    Answer   // `answer` holds the decoded answer
};

// Reads one datagram (at most 64 bytes of it) from the listening socket.
NodeCallReceive ReceiveNodeCallAnswer(wxDatagramSocket& socket, NodeCallAnswer& answer);
