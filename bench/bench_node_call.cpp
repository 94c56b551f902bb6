// How the node call page holds up under 100,000 answers on the loopback:
// how long the window's own events wait while the answers pour in (the
// longest gap between ticks of a 10 ms timer, the longest wait of an event
// posted from a tick, which queues behind the socket events) and how fast the
// page takes the answers in.
//
// Binds UDP port 5680 and sends to 127.0.0.1 only. Runs under Xvfb; as root
// the GUI test runner also gives it a network namespace with only loopback:
//   bash tests/support/run_gui.sh build/bench/bench_node_call
// Target: no timer gap and no posted-event wait over 200 ms.
#include "core/NodeCall.h"
#include "ui/NodeCallPanel.h"

#include "bench_wx.h"

#include <benchmark/benchmark.h>

#include <wx/evtloop.h>
#include <wx/timer.h>
#include <wx/wx.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kAnswers = 100000;

NodeCallPanel* g_page = nullptr;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void PumpUntil(const std::function<bool()>& cond, std::chrono::seconds limit)
{
    const auto deadline = Clock::now() + limit;
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    while (!cond() && Clock::now() < deadline) {
        loop->DispatchTimeout(10);
        wxTheApp->ProcessPendingEvents();
    }
}

// The answers are named "A000000".."A099999": the number of the top row, or -1.
int NewestListed()
{
    wxListCtrl* list = g_page->GetList();
    long n = -1;
    if (list->GetItemCount() == 0 || !list->GetItemText(0, 2).Mid(1).ToLong(&n))
        return -1;
    return static_cast<int>(n);
}

std::vector<unsigned char> AnswerBytes(const char* name)
{
    std::vector<unsigned char> b(64, 0);
    const auto put = [&b](size_t at, uint32_t word) { // little-endian, as the controller sends
        for (size_t i = 0; i < 4; ++i)
            b[at + i] = static_cast<unsigned char>(word >> (8 * i));
    };
    put(0, kNodeCallAnswerMagic);
    put(12, 12u | 7u << 8 | 2026u << 16); // 7 December 2026
    put(16, 15u | 30u << 8 | 10u << 16);  // 15:30:10
    std::memcpy(b.data() + 20, name, std::min<size_t>(std::strlen(name), 16));
    return b;
}

// Sends every answer to 127.0.0.1:5680 from one socket. With `window` > 0 it
// stays at most that many answers ahead of the page's top row, so the kernel
// drops none; with 0 it sends flat out and the kernel drops what the socket's
// receive buffer cannot hold.
void Flood(int window, const std::atomic<int>& newest, std::atomic<bool>& sending)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(kNodeCallPort);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const auto giveUp = Clock::now() + std::chrono::seconds(120);
    char name[17];
    for (int i = 0; i < kAnswers; ++i) {
        while (window > 0 && i - newest.load() > window && Clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        std::snprintf(name, sizeof name, "A%06d", i);
        const auto b = AnswerBytes(name);
        ::sendto(fd, b.data(), b.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }
    ::close(fd);
    sending = false;
}

// Arg: answers allowed in flight (0: flat out). The time is from the first
// answer sent to the page's last change.
void BM_Flood(benchmark::State& state)
{
    const int window = static_cast<int>(state.range(0));
    double maxGapMs = 0, maxPostedMs = 0, seconds = 0;
    int newest = -1;
    long rows = 0;
    for (auto _ : state) {
        if (auto* list = dynamic_cast<NodeCallListCtrl*>(g_page->GetList()))
            list->ClearRows();
        std::atomic<int> published{-1};
        std::atomic<bool> sending{true};
        Clock::time_point lastTick = Clock::now();
        Clock::duration gap{}, posted{};
        wxTimer timer;
        timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            const auto now = Clock::now();
            gap = std::max(gap, now - lastTick);
            lastTick = now;
            timer.CallAfter([&posted, now] { posted = std::max(posted, Clock::now() - now); });
        });
        timer.Start(10);

        const auto start = Clock::now();
        std::thread sender(Flood, window, std::cref(published), std::ref(sending));
        int lastTop = -2;
        auto lastChange = start;
        PumpUntil(
            [&] {
                const int top = NewestListed();
                published = top;
                if (top != lastTop) {
                    lastTop = top;
                    lastChange = Clock::now();
                }
                if (window > 0)
                    return !sending && top == kAnswers - 1;
                return !sending && Clock::now() - lastChange > std::chrono::milliseconds(300);
            },
            std::chrono::seconds(180));
        sender.join();
        timer.Stop();

        const double s = std::chrono::duration<double>(lastChange - start).count();
        state.SetIterationTime(s);
        seconds += s;
        maxGapMs = std::max(maxGapMs, Ms(gap));
        maxPostedMs = std::max(maxPostedMs, Ms(posted));
        newest = NewestListed();
        rows = g_page->GetList()->GetItemCount();
    }
    state.counters["max_timer_gap_ms"] = maxGapMs;
    state.counters["max_posted_wait_ms"] = maxPostedMs;
    state.counters["newest_listed"] = newest;
    state.counters["rows_kept"] = static_cast<double>(rows);
    if (window > 0)
        state.counters["answers_per_s"] =
            benchmark::Counter(static_cast<double>(kAnswers) * static_cast<double>(state.iterations()) /
                               std::max(seconds, 1e-3));
}

BENCHMARK(BM_Flood)->Arg(0)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Flood)->Arg(64)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (const int status = bench::StartWx(argc, argv))
        return status;
    {
        // Socket events and CallAfter need an active loop.
        wxEventLoop loop;
        wxEventLoopActivator active(&loop);
        auto* frame = new wxFrame(nullptr, wxID_ANY, "node call", wxDefaultPosition, wxSize(640, 480));
        g_page = new NodeCallPanel(frame, wxID_ANY, wxDefaultPosition, wxSize(446, 319), wxTAB_TRAVERSAL);
        frame->Show();
        if (!g_page->IsListening()) {
            std::fprintf(stderr, "port %u is held by another program\n",
                         static_cast<unsigned>(kNodeCallPort));
            return 4;
        }
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        frame->Destroy();
        wxTheApp->ProcessIdle();
    }
    bench::StopWx();
    return 0;
}
