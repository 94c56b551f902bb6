// Helpers for the node call page tests: answers on the wire, the network
// interfaces the test sees, and a recording stand-in for the browser.
#pragma once

#include "wx_test_util.h"

#include "core/NodeCall.h"
#include "ui/NodeCallPanel.h"

#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/weakref.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace nodecall_test {

using Bytes = std::vector<unsigned char>;

inline uint32_t Date(unsigned day, unsigned month, unsigned year)
{
    return month | day << 8 | year << 16;
}

inline uint32_t Time(unsigned hour, unsigned minute, unsigned second)
{
    return hour | minute << 8 | second << 16;
}

inline Bytes AnswerBytes(const std::string& name, uint32_t date = Date(7, 12, 2026),
                         uint32_t time = Time(15, 30, 10))
{
    Bytes b(64, 0);
    auto put = [&](size_t at, uint32_t w) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<unsigned char>(w >> (8 * i));
    };
    put(0, kNodeCallAnswerMagic);
    put(12, date);
    put(16, time);
    std::memcpy(b.data() + 20, name.data(), std::min<size_t>(name.size(), 16));
    return b;
}

// Sends one datagram to 127.0.0.1:5680 from `fromIp` (any 127.x address is
// local), as a controller on the loopback would.
inline void SendToPage(const Bytes& b, const char* fromIp = "127.0.0.1")
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in from{};
    from.sin_family = AF_INET;
    ::inet_pton(AF_INET, fromIp, &from.sin_addr);
    ::bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(kNodeCallPort);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::sendto(fd, b.data(), b.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    ::close(fd);
}

// The interfaces of the network namespace this process runs in.
inline std::vector<std::string> NetworkInterfaces()
{
    std::vector<std::string> names;
    std::ifstream dev("/proc/net/dev");
    std::string line;
    while (std::getline(dev, line)) {
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::string name = line.substr(0, colon);
        name.erase(0, name.find_first_not_of(' '));
        names.push_back(name);
    }
    return names;
}

// Packets sent on all interfaces of this namespace so far.
inline unsigned long long PacketsSent()
{
    std::ifstream dev("/proc/net/dev");
    std::string line;
    unsigned long long total = 0;
    while (std::getline(dev, line)) {
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::istringstream fields(line.substr(colon + 1));
        unsigned long long v = 0;
        for (int i = 0; i < 10 && fields >> v; ++i) {
        } // field 10 is transmitted packets
        total += v;
    }
    return total;
}

// Datagrams read so far by the programs of this network namespace (the
// kernel counts one when a program reads it).
inline unsigned long long DatagramsRead()
{
    std::ifstream snmp("/proc/self/net/snmp");
    std::string names, values;
    while (std::getline(snmp, names)) {
        if (names.rfind("Udp:", 0) != 0 || !std::getline(snmp, values))
            continue;
        std::istringstream n(names), v(values);
        std::string name, value;
        while (n >> name && v >> value)
            if (name == "InDatagrams")
                return std::stoull(value);
    }
    return 0;
}

// Bytes of datagrams waiting, unread, for the node call port's socket.
inline unsigned long ReceiveQueueBytes()
{
    std::ifstream udp("/proc/self/net/udp");
    std::string line;
    std::getline(udp, line); // the heading
    char port[8];
    std::snprintf(port, sizeof port, ":%04X", static_cast<unsigned>(kNodeCallPort));
    while (std::getline(udp, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state, queues;
        fields >> slot >> local >> remote >> state >> queues;
        if (local.size() > 5 && local.compare(local.size() - 5, 5, port) == 0)
            return std::stoul(queues.substr(queues.find(':') + 1), nullptr, 16);
    }
    return 0;
}

// True when this process sees only the loopback interface: a private
// namespace, where a broadcast cannot reach any real network.
inline bool OnlyLoopback()
{
    const auto names = NetworkInterfaces();
    return names.size() == 1 && names[0] == "lo";
}

// A recording `xdg-open` first on PATH: wxLaunchDefaultBrowser runs it with
// the address as its one argument. Restores PATH when destroyed.
class RecordingBrowser {
public:
    RecordingBrowser() : m_record(m_dir.File("urls.txt"))
    {
        const wxString script = m_dir.File("xdg-open");
        wxFFile f(script, "w");
        f.Write("#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" + m_record + "'\n");
        f.Close();
        ::chmod(script.utf8_str(), 0755);
        wxGetEnv("PATH", &m_oldPath);
        wxSetEnv("PATH", wxString::FromUTF8(m_dir.Path().string()) + ":" + m_oldPath);
    }
    ~RecordingBrowser() { wxSetEnv("PATH", m_oldPath); }

    // Every address the browser was asked to open, in order; waits up to
    // `ms` for at least `atLeast` of them.
    std::vector<wxString> Urls(size_t atLeast = 1, int ms = 5000)
    {
        std::vector<wxString> urls;
        PumpUntil(
            [&] {
                urls = Read();
                return urls.size() >= atLeast;
            },
            ms);
        return urls;
    }

private:
    std::vector<wxString> Read() const
    {
        std::vector<wxString> urls;
        std::ifstream in(m_record.utf8_string());
        std::string line;
        while (std::getline(in, line))
            urls.push_back(wxString::FromUTF8(line));
        return urls;
    }

    TempDir m_dir;
    wxString m_record;
    wxString m_oldPath;
};

// A shown frame holding one node call page, destroyed with the helper.
class PageFrame {
public:
    PageFrame()
    {
        frame = new wxFrame(nullptr, wxID_ANY, "node call", wxDefaultPosition, wxSize(640, 480));
        page = new NodeCallPanel(frame, wxID_ANY, wxDefaultPosition, wxSize(446, 319), wxTAB_TRAVERSAL);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(page, 1, wxEXPAND);
        frame->SetSizer(sizer);
        frame->Raise();
        EXPECT_TRUE(ShowAndWaitForPaint(frame, page));
    }
    // Gone (socket closed) before the next test binds the port again.
    ~PageFrame()
    {
        wxWeakRef<wxFrame> alive(frame);
        frame->Destroy();
        PumpUntil(
            [&] {
                wxTheApp->ProcessIdle();
                return !alive;
            },
            3000);
    }
    wxListCtrl* List() const { return page->GetList(); }
    int Rows() const { return List()->GetItemCount(); }
    wxString Cell(long row, int column) const { return List()->GetItemText(row, column); }
    // Waits until `count` datagrams more than `before` have been read (the
    // page reads one per socket event, and lists it at once if it is an
    // answer) and what they queued has run.
    bool WaitForDatagramsRead(unsigned long long before, unsigned long long count, int ms = 3000) const
    {
        return PumpUntil([&] { return DatagramsRead() >= before + count; }, ms) && PumpUntilIdle(ms);
    }
    // Waits for the list to hold `rows` rows.
    bool WaitForRows(int rows, int ms = 3000) const
    {
        return PumpUntil([&] { return Rows() == rows; }, ms);
    }

    wxFrame* frame;
    NodeCallPanel* page;
};

} // namespace nodecall_test
