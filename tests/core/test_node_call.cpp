#include "core/NodeCall.h"
#include "core/WordHelpers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void PutWord(Bytes& b, size_t offset, uint32_t w)
{
    for (int i = 0; i < 4; ++i)
        b[offset + i] = static_cast<unsigned char>(w >> (8 * i));
}

uint32_t Date(unsigned day, unsigned month, unsigned year)
{
    return month | day << 8 | year << 16;
}

uint32_t Time(unsigned hour, unsigned minute, unsigned second)
{
    return hour | minute << 8 | second << 16;
}

// A well-formed answer of `size` bytes with the given name bytes (at most 16).
Bytes Answer(const std::string& name, uint32_t date = Date(7, 12, 2026), uint32_t time = Time(15, 30, 10),
             size_t size = 64)
{
    Bytes b(std::max<size_t>(size, 36), 0xAA); // the unread fields hold junk on purpose
    PutWord(b, 0, kNodeCallAnswerMagic);
    PutWord(b, 12, date);
    PutWord(b, 16, time);
    std::fill(b.begin() + 20, b.begin() + 36, 0);
    std::memcpy(b.data() + 20, name.data(), std::min<size_t>(name.size(), 16));
    b.resize(size); // a short answer is cut off
    return b;
}

bool Decode(const Bytes& b, NodeCallAnswer& a, const wxString& from = "10.0.0.7")
{
    return DecodeNodeCallAnswer(b.data(), b.size(), from, a, wxDateTime::Now());
}

// Sets LC_CTYPE for one test and puts the old one back.
class CtypeLocale {
public:
    explicit CtypeLocale(const char* name) : m_old(std::setlocale(LC_CTYPE, nullptr))
    {
        m_ok = std::setlocale(LC_CTYPE, name) != nullptr;
    }
    ~CtypeLocale() { std::setlocale(LC_CTYPE, m_old.c_str()); }
    bool ok() const { return m_ok; }

private:
    std::string m_old;
    bool m_ok = false;
};

const wxString kReplacement(wxUniChar(0xFFFD));

} // namespace

TEST(NodeCallCodec, RequestIsTheRequestMagicLittleEndian)
{
    const auto r = NodeCallRequest();
    EXPECT_EQ(Bytes(r.begin(), r.end()), (Bytes{0x9F, 0xF9, 0x00, 0x00}));
}

TEST(NodeCallCodec, OnlyTheAnswerMagicIsAccepted)
{
    NodeCallAnswer a;
    Bytes b = Answer("HYDRO");
    ASSERT_TRUE(Decode(b, a, "10.200.0.2"));
    EXPECT_EQ(a.date, FormatDateText(wxDateTime(7, wxDateTime::Dec, 2026)));
    EXPECT_EQ(a.time, FormatTimeText(wxDateTime::Today().SetHour(15).SetMinute(30).SetSecond(10)));
    EXPECT_EQ(a.serverName, "HYDRO");
    EXPECT_EQ(a.address, "10.200.0.2");

    // Every other first word is dropped, the request's own included (a
    // client hears its own broadcast) and words that differ only in the
    // upper bytes.
    const uint32_t others[] = {
        kNodeCallRequestMagic, 0, 0xF99D, 0xFFFFFFFFu, 0x0001F99E, 0x9EF90000, 0xF99E0000};
    for (uint32_t w : others) {
        SCOPED_TRACE(testing::Message() << std::hex << w);
        Bytes other = b;
        PutWord(other, 0, w);
        NodeCallAnswer untouched;
        untouched.serverName = "keep";
        EXPECT_FALSE(Decode(other, untouched));
        EXPECT_EQ(untouched.serverName, "keep");
    }
}

TEST(NodeCallCodec, ShortDatagramsAreIgnoredLongOnesReadToSixtyFour)
{
    NodeCallAnswer a;
    EXPECT_TRUE(Decode(Answer("ABCDEFGHIJKLMNOP", Date(1, 1, 2020), Time(0, 0, 0), 36), a));
    EXPECT_EQ(a.serverName, "ABCDEFGHIJKLMNOP");
    for (size_t size : {0u, 4u, 20u, 35u}) {
        SCOPED_TRACE(size);
        Bytes b = Answer("HYDRO", Date(1, 1, 2020), Time(0, 0, 0), 36);
        b.resize(size);
        EXPECT_FALSE(Decode(b, a));
    }
    EXPECT_FALSE(DecodeNodeCallAnswer(nullptr, 64, "1.2.3.4", a, wxDateTime::Now()));

    // 1,500 bytes (a full Ethernet payload): the fields are still those of
    // the first 36, and nothing past 64 is read.
    Bytes big = Answer("BIG", Date(2, 3, 2024), Time(4, 5, 6), 1500);
    ASSERT_TRUE(Decode(big, a));
    EXPECT_EQ(a.serverName, "BIG");
    EXPECT_EQ(a.date, FormatDateText(wxDateTime(2, wxDateTime::Mar, 2024)));
}

TEST(NodeCallCodec, NameEndsAtTheFirstNulOrAfterSixteenBytes)
{
    NodeCallAnswer a;
    ASSERT_TRUE(Decode(Answer(std::string("HYDRO") + std::string(11, '\0')), a));
    EXPECT_EQ(a.serverName, "HYDRO");

    // No NUL at all: all 16 bytes, and nothing of byte 36 onwards (0xAA).
    ASSERT_TRUE(Decode(Answer("ABCDEFGHIJKLMNOP"), a));
    EXPECT_EQ(a.serverName, "ABCDEFGHIJKLMNOP");

    // Bytes after the first NUL are not part of the name.
    ASSERT_TRUE(Decode(Answer(std::string("AB\0CD", 5)), a));
    EXPECT_EQ(a.serverName, "AB");

    ASSERT_TRUE(Decode(Answer(""), a));
    EXPECT_EQ(a.serverName, "");
}

TEST(NodeCallCodec, InvalidDateAndTimeWordsShowTheInvalidText)
{
    const uint32_t badDates[] = {0,
                                 Date(0, 5, 2020),
                                 Date(32, 1, 2020),
                                 Date(30, 2, 2020),
                                 Date(1, 13, 2020),
                                 Date(29, 2, 2023),
                                 0xFFFFFFFFu};
    const uint32_t badTimes[] = {Time(24, 0, 0), Time(12, 60, 0), Time(12, 0, 60), 0x00FFFFFFu};
    NodeCallAnswer a;
    for (uint32_t d : badDates) {
        SCOPED_TRACE(testing::Message() << "date " << std::hex << d);
        ASSERT_TRUE(Decode(Answer("N", d, Time(1, 2, 3)), a));
        EXPECT_EQ(a.date, InvalidDateTimeText());
        EXPECT_NE(a.time, InvalidDateTimeText());
        EXPECT_EQ(a.serverName, "N");
    }
    for (uint32_t t : badTimes) {
        SCOPED_TRACE(testing::Message() << "time " << std::hex << t);
        ASSERT_TRUE(Decode(Answer("N", Date(29, 2, 2024), t), a));
        EXPECT_EQ(a.time, InvalidDateTimeText());
        EXPECT_EQ(a.date, FormatDateText(wxDateTime(29, wxDateTime::Feb, 2024)));
    }
    // The top byte of the time word is not part of the time.
    ASSERT_TRUE(Decode(Answer("N", Date(1, 1, 2020), Time(23, 59, 59) | 0xFF000000u), a));
    EXPECT_EQ(a.time, FormatTimeText(wxDateTime::Today().SetHour(23).SetMinute(59).SetSecond(59)));
}

TEST(NodeCallCodec, BadNameBytesShowAsReplacementCharacters)
{
    NodeCallAnswer a;
    // Control characters never reach the list (a newline or escape would
    // garble the row); each becomes one replacement character.
    ASSERT_TRUE(Decode(Answer("A\nB\x1B[2J\x7F"
                              "C"),
                       a));
    EXPECT_EQ(a.serverName, "A" + kReplacement + "B" + kReplacement + "[2J" + kReplacement + "C");

    // 16 bytes that are all invalid still give 16 visible characters.
    ASSERT_TRUE(Decode(Answer(std::string(16, '\x01')), a));
    EXPECT_EQ(a.serverName.length(), 16u);

    // Glibc always has C.UTF-8; the Windows C runtime (msvcrt) has no UTF-8
    // locale, so there only the "C" case below applies.
    if (CtypeLocale utf8("C.UTF-8"); utf8.ok()) {
        // Valid UTF-8 converts.
        ASSERT_TRUE(Decode(Answer("Caf\xC3\xA9 Nord"), a));
        EXPECT_EQ(a.serverName, wxString::FromUTF8("Caf\xC3\xA9 Nord"));
        // A Latin-1 byte is not UTF-8: one replacement, the rest stays.
        ASSERT_TRUE(Decode(Answer("Caf\xE9 Nord"), a));
        EXPECT_EQ(a.serverName, "Caf" + kReplacement + " Nord");
        // A sequence cut off by the end of the field.
        ASSERT_TRUE(Decode(Answer("ABCDEFGHIJKLMNO\xC3"), a));
        EXPECT_EQ(a.serverName, "ABCDEFGHIJKLMNO" + kReplacement);
        // A right-to-left override would show the address-like name backwards.
        ASSERT_TRUE(Decode(Answer("x\xE2\x80\xAEy"), a));
        EXPECT_EQ(a.serverName, "x" + kReplacement + "y");
        // A C1 control in UTF-8 form.
        ASSERT_TRUE(Decode(Answer("x\xC2\x85y"), a));
        EXPECT_EQ(a.serverName, "x" + kReplacement + "y");
    }
    {
        CtypeLocale c("C");
        ASSERT_TRUE(c.ok());
        ASSERT_TRUE(Decode(Answer("Caf\xE9 Nord"), a));
        EXPECT_EQ(a.serverName.length(), 9u);
        EXPECT_TRUE(a.serverName.StartsWith("Caf"));
        EXPECT_TRUE(a.serverName.EndsWith(" Nord"));
    }
}

// ---- sockets, on 127.0.0.1 only

namespace {

wxIPV4address Loopback(unsigned short port);

// A plain receiving socket on an ephemeral loopback port.
class LoopbackReceiver {
public:
    LoopbackReceiver() : m_socket(Loopback(0), wxSOCKET_BLOCK)
    {
        wxIPV4address local;
        m_socket.GetLocal(local);
        m_port = local.Service();
        m_socket.SetTimeout(2);
    }
    unsigned short Port() const { return m_port; }
    Bytes Receive()
    {
        unsigned char buf[256];
        wxIPV4address from;
        m_socket.RecvFrom(from, buf, sizeof buf);
        const auto n = m_socket.Error() ? 0 : m_socket.LastReadCount();
        m_sender = n ? from.IPAddress() : wxString();
        return Bytes(buf, buf + n);
    }
    // The sender of the last datagram received.
    wxString Sender() const { return m_sender; }

private:
    wxDatagramSocket m_socket;
    unsigned short m_port = 0;
    wxString m_sender;
};

// Sends one datagram from the given loopback address (any 127.x.y.z).
void SendFrom(const char* fromIp, unsigned short toPort, const Bytes& b)
{
    wxIPV4address from;
    from.Hostname(fromIp);
    from.Service(0);
    wxDatagramSocket socket(from, wxSOCKET_BLOCK);
    ASSERT_TRUE(socket.IsOk()) << "cannot bind a socket to " << fromIp;
    socket.SendTo(Loopback(toPort), b.data(), static_cast<wxUint32>(b.size()));
    EXPECT_FALSE(socket.Error()) << "send from " << fromIp;
}

// The address a receiver sees for a datagram sent from fromIp: fromIp itself
// on Linux and Windows; wine sends from 127.0.0.1 whatever loopback address
// the socket is bound to.
wxString SenderSeenFor(const char* fromIp)
{
    LoopbackReceiver probe;
    SendFrom(fromIp, probe.Port(), Bytes{1});
    probe.Receive();
    return probe.Sender();
}

wxIPV4address Loopback(unsigned short port)
{
    wxIPV4address a;
    a.Hostname("127.0.0.1");
    a.Service(port);
    return a;
}

// Reads until something arrives (reads never wait) or two seconds pass.
NodeCallReceive ReceiveSoon(wxDatagramSocket& s, NodeCallAnswer& a)
{
    for (int i = 0; i < 200; ++i) {
        const NodeCallReceive r = ReceiveNodeCallAnswer(s, a);
        if (r != NodeCallReceive::Nothing)
            return r;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return NodeCallReceive::Nothing;
}

} // namespace

TEST(NodeCallSocket, SendPutsExactlyTheRequestOnTheWire)
{
    LoopbackReceiver rx;
    const NodeCallSendResult r = SendNodeCallRequest(Loopback(rx.Port()));
    EXPECT_EQ(r.status, NodeCallSendStatus::Sent);
    EXPECT_EQ(r.error, 0);
    EXPECT_EQ(rx.Receive(), (Bytes{0x9F, 0xF9, 0x00, 0x00}));

    const wxIPV4address b = NodeCallBroadcastAddress();
    EXPECT_EQ(b.IPAddress(), "255.255.255.255");
    EXPECT_EQ(b.Service(), 5680);
}

TEST(NodeCallSocket, FailedSendReportsTheSocketError)
{
    // Port 0 is no destination: the kernel refuses the send, locally.
    const NodeCallSendResult r = SendNodeCallRequest(Loopback(0));
    EXPECT_EQ(r.status, NodeCallSendStatus::SendFailed);
    EXPECT_NE(r.error, 0);
}

TEST(NodeCallSocket, ListenerReadsOneDatagramAtATime)
{
    wxEvtHandler handler;
    wxDatagramSocket* s = OpenNodeCallListener(Loopback(0), handler, 5039);
    ASSERT_NE(s, nullptr);
    wxIPV4address local;
    s->GetLocal(local);

    NodeCallAnswer a;
    EXPECT_EQ(ReceiveNodeCallAnswer(*s, a), NodeCallReceive::Nothing); // empty: no wait, no error

    // A request, a short answer, a 100-byte answer, then a normal one: the
    // long one is read as its first 64 bytes and its tail is not taken for
    // the next datagram.
    const auto req = NodeCallRequest();
    SendFrom("127.0.0.1", local.Service(), Bytes(req.begin(), req.end()));
    SendFrom("127.0.0.1", local.Service(), Answer("SHORT", Date(1, 1, 2020), Time(0, 0, 0), 35));
    Bytes longAnswer = Answer("LONG", Date(1, 1, 2020), Time(0, 0, 0), 100);
    PutWord(longAnswer, 64, kNodeCallAnswerMagic); // a magic in the tail must not surface
    SendFrom("127.0.0.1", local.Service(), longAnswer);
    SendFrom("127.0.0.9", local.Service(), Answer("NEXT"));

    EXPECT_EQ(ReceiveSoon(*s, a), NodeCallReceive::Ignored);
    EXPECT_EQ(ReceiveSoon(*s, a), NodeCallReceive::Ignored);
    ASSERT_EQ(ReceiveSoon(*s, a), NodeCallReceive::Answer);
    EXPECT_EQ(a.serverName, "LONG");
    EXPECT_EQ(a.address, "127.0.0.1");
    ASSERT_EQ(ReceiveSoon(*s, a), NodeCallReceive::Answer);
    EXPECT_EQ(a.serverName, "NEXT");
    EXPECT_EQ(a.address, SenderSeenFor("127.0.0.9"));
    EXPECT_EQ(ReceiveNodeCallAnswer(*s, a), NodeCallReceive::Nothing);
    s->Destroy();
}

TEST(NodeCallSocket, ListenerOnABusyPortIsNull)
{
    wxEvtHandler handler;
    wxDatagramSocket* first = OpenNodeCallListener(Loopback(0), handler, 5039);
    ASSERT_NE(first, nullptr);
    wxIPV4address local;
    first->GetLocal(local);
    EXPECT_EQ(OpenNodeCallListener(Loopback(local.Service()), handler, 5039), nullptr);
    first->Destroy();
}

TEST(NodeCallDecode, ClockComparedWithTheArrival)
{
    NodeCallAnswer a;
    const Bytes b = Answer("HYDRO", Date(7, 12, 2026), Time(12, 30, 10));
    ASSERT_TRUE(DecodeNodeCallAnswer(b.data(), b.size(), "10.0.0.7", a,
                                     wxDateTime(7, wxDateTime::Dec, 2026, 15, 30, 40)));
    EXPECT_EQ(a.clock, "3 h 1 min behind");
    EXPECT_TRUE(a.clockOff);
    ASSERT_TRUE(DecodeNodeCallAnswer(b.data(), b.size(), "10.0.0.7", a,
                                     wxDateTime(7, wxDateTime::Dec, 2026, 12, 29, 0)));
    EXPECT_EQ(a.clock, "ok");
    EXPECT_FALSE(a.clockOff);
    const Bytes bad = Answer("HYDRO", Date(0, 12, 2026), Time(12, 30, 10));
    ASSERT_TRUE(DecodeNodeCallAnswer(bad.data(), bad.size(), "10.0.0.7", a, wxDateTime::Now()));
    EXPECT_EQ(a.clock, "(invalid)");
}
