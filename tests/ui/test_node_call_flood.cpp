// 100,000 answers at the node call page as fast as the loopback carries them.
// The page lists every answer that reaches it, newest first, up to its
// 1,000-row cap, keeps no more than that, and goes on serving the window's
// own events while the answers pour in: its timer fires, posted events run
// and a key press on the list is handled before the flood is over. How long
// those events wait is a speed figure, not a pass mark: it is measured by
// bench/bench_node_call.cpp.
#include "test_node_call_util.h"

#include <wx/timer.h>
#include <wx/uiaction.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

using namespace nodecall_test;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kAnswers = 100000;
constexpr int kMaxRows = static_cast<int>(NodeCallPanel::MaxRows);

long ProcStatusKb(const char* field)
{
    std::ifstream in("/proc/self/status");
    std::string key;
    while (in >> key) {
        if (key == field) {
            long kb = 0;
            in >> kb;
            return kb;
        }
        in.ignore(1 << 12, '\n');
    }
    return -1;
}

// Answers are named by phase letter and number: "F000123".
char g_prefix = 'F';

int SequenceOf(const wxString& name)
{
    long n = -1;
    return name.length() == 7 && name[0] == g_prefix && name.Mid(1).ToLong(&n) ? static_cast<int>(n) : -1;
}

// Counts what the event loop serves while a sender is still sending: the
// ticks of a 10 ms timer, and the events each tick posts (they wait in the
// same queue as the socket events). Each tick also publishes the newest
// answer the page shows, which paces the sender.
class LoopWatch {
public:
    explicit LoopWatch(const PageFrame& f) : m_page(f)
    {
        m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { OnTick(); });
        m_timer.Start(10);
    }
    ~LoopWatch() { m_timer.Stop(); }

    void Reset()
    {
        ticksWhileSending = postedWhileSending = 0;
        newestSeen = -1;
        sending = true;
    }
    std::atomic<bool> sending{false};
    std::atomic<int> newestSeen{-1};
    long ticksWhileSending = 0;
    long postedWhileSending = 0;

private:
    void OnTick()
    {
        if (sending)
            ++ticksWhileSending;
        if (m_page.Rows() > 0)
            newestSeen = SequenceOf(m_page.Cell(0, 2));
        m_timer.CallAfter([this] {
            if (sending)
                ++postedWhileSending;
        });
    }

    const PageFrame& m_page;
    wxTimer m_timer;
};

// Sends answers "F000000".."F099999" (phase letter first) from one socket to 127.0.0.1:5680.
// With `window` > 0 the sender stays at most that many answers ahead of
// what the page shows, so the kernel drops none and every one goes
// through the page; with 0 it sends flat out and the kernel drops what the
// socket's buffer cannot hold.
void Flood(int window, const std::atomic<int>& newestSeen, std::atomic<bool>& sending)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(kNodeCallPort);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    char name[17];
    // Only so that a page that takes in nothing cannot hang the test.
    const auto giveUp = Clock::now() + std::chrono::seconds(120);
    for (int i = 0; i < kAnswers; ++i) {
        while (window > 0 && i - newestSeen.load() > window && Clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        std::snprintf(name, sizeof name, "%c%06d", g_prefix, i);
        const Bytes b = AnswerBytes(name);
        ::sendto(fd, b.data(), b.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }
    ::close(fd);
    sending = false;
}

// The answers' sequence numbers, top row first (-1 for a row not of this phase).
std::vector<int> ListedSequences(const PageFrame& f)
{
    std::vector<int> sequences;
    for (int row = 0; row < f.Rows(); ++row)
        sequences.push_back(SequenceOf(f.Cell(row, 2)));
    return sequences;
}

bool NewestFirst(const std::vector<int>& sequences)
{
    for (size_t i = 0; i < sequences.size(); ++i)
        if (sequences[i] < 0 || (i > 0 && sequences[i] >= sequences[i - 1]))
            return false;
    return true;
}

// A row the user picks with the keyboard while the flood goes on: "Home"
// on the list once the page shows `from` or a later answer.
class KeyPressDuringFlood {
public:
    KeyPressDuringFlood(PageFrame& f, const LoopWatch& watch, int from) : m_f(f), m_watch(watch), m_from(from)
    {
        m_f.List()->Bind(wxEVT_LIST_ITEM_SELECTED, &KeyPressDuringFlood::OnSelected, this);
    }
    ~KeyPressDuringFlood()
    {
        m_f.List()->Unbind(wxEVT_LIST_ITEM_SELECTED, &KeyPressDuringFlood::OnSelected, this);
    }

    // Called from the pump loop.
    void Poll()
    {
        if (m_pressed || m_watch.newestSeen < m_from)
            return;
        m_pressed = true;
        wxListCtrl* list = m_f.List();
        list->SetFocus();
        list->SetItemState(0, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED); // keys need a current row
        wxUIActionSimulator().Char(WXK_HOME);
    }

    bool pressed() const { return m_pressed; }
    // The answer in the row the key selected, and whether the sender was
    // still sending then.
    wxString selectedAnswer;
    bool selectedWhileSending = false;
    // Selections reported later (each answer on top moves the selected row
    // down) that named another answer.
    int otherAnswersSelected = 0;

private:
    void OnSelected(wxListEvent& event)
    {
        const wxString answer = m_f.Cell(event.GetIndex(), 2);
        if (selectedAnswer.empty()) {
            selectedAnswer = answer;
            selectedWhileSending = m_watch.sending;
        } else if (answer != selectedAnswer) {
            ++otherAnswersSelected;
        }
        event.Skip();
    }

    PageFrame& m_f;
    const LoopWatch& m_watch;
    int m_from;
    bool m_pressed = false;
};

// Runs one flood and pumps until the page has taken in what came: in the
// paced phase every answer, flat out all that the kernel kept for it.
void RunPhase(PageFrame& f, LoopWatch& watch, char prefix, int window, KeyPressDuringFlood* key = nullptr)
{
    g_prefix = prefix;
    watch.Reset();
    std::thread sender(Flood, window, std::cref(watch.newestSeen), std::ref(watch.sending));
    PumpUntil(
        [&] {
            if (key)
                key->Poll();
            if (watch.sending)
                return false;
            if (window > 0)
                return f.Rows() && SequenceOf(f.Cell(0, 2)) == kAnswers - 1;
            return ReceiveQueueBytes() == 0;
        },
        180000);
    sender.join();
}

} // namespace

TEST(NodeCallFlood, EveryAnswerUpToTheCapWindowServedMemoryBounded)
{
    PageFrame f;
    ASSERT_TRUE(f.page->IsListening()) << "port 5680 busy?";
    LoopWatch watch(f);
    ASSERT_TRUE(PumpUntilIdle());
    const long rssBefore = ProcStatusKb("VmRSS:");

    {
        SCOPED_TRACE("flat out");
        RunPhase(f, watch, 'F', 0);
        const std::vector<int> listed = ListedSequences(f);
        std::printf("[flood] flat out: %d answers sent; page listed up to #%d, keeps %zu rows\n", kAnswers,
                    listed.empty() ? -1 : listed.front(), listed.size());
        // The kernel dropped what the socket could not hold; what came is
        // listed newest first, at most 1,000 rows.
        EXPECT_GT(listed.size(), 0u);
        EXPECT_LE(listed.size(), NodeCallPanel::MaxRows);
        EXPECT_TRUE(NewestFirst(listed));
        EXPECT_GT(watch.ticksWhileSending, 0) << "the timer fired while answers poured in";
        EXPECT_GT(watch.postedWhileSending, 0) << "posted events ran while answers poured in";
    }

    {
        SCOPED_TRACE("paced");
        // Loopback datagrams take over a kilobyte each of the socket's 208 kB
        // receive buffer, so at most 64 in flight keeps the kernel from
        // dropping any: every answer reaches the page.
        KeyPressDuringFlood key(f, watch, kAnswers - 500);
        RunPhase(f, watch, 'P', 64, &key);
        const std::vector<int> listed = ListedSequences(f);
        ASSERT_EQ(listed.size(), NodeCallPanel::MaxRows);
        // Exactly the newest 1,000, none missing, newest on top.
        for (int row = 0; row < kMaxRows; ++row)
            ASSERT_EQ(listed[static_cast<size_t>(row)], kAnswers - 1 - row) << "row " << row;
        EXPECT_GT(watch.ticksWhileSending, 0);
        EXPECT_GT(watch.postedWhileSending, 0);

        // "Home" was handled mid-flood, and its row kept its answer since.
        ASSERT_TRUE(key.pressed());
        ASSERT_FALSE(key.selectedAnswer.empty()) << "the key press was never handled";
        EXPECT_TRUE(key.selectedWhileSending) << "handled only after the flood: " << key.selectedAnswer;
        const long selected = f.List()->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
        ASSERT_GE(selected, 0);
        EXPECT_EQ(f.List()->GetSelectedItemCount(), 1);
        EXPECT_EQ(f.Cell(selected, 2), key.selectedAnswer);
        EXPECT_EQ(key.otherAnswersSelected, 0);
        EXPECT_GT(selected, 0) << "answers came after the key press";
    }

    // 100,000 kept answers would take tens of megabytes; 1,000 take well under
    // one. (AddressSanitizer holds freed memory back in its quarantine, so
    // there the row count above is the bound that counts.)
    const long rssAfter = ProcStatusKb("VmRSS:");
    std::printf("[flood] memory: VmRSS %ld kB before, %ld kB after %d answers twice; peak VmHWM %ld kB\n",
                rssBefore, rssAfter, kAnswers, ProcStatusKb("VmHWM:"));
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(rssAfter - rssBefore, 16 * 1024) << "kB";
#endif

    // Still usable afterwards: a normal answer is listed on top.
    SendToPage(AnswerBytes("AFTER"), "127.0.0.9");
    ASSERT_TRUE(PumpUntil([&] { return f.Cell(0, 2) == "AFTER"; }, 3000));
    EXPECT_EQ(f.Rows(), kMaxRows);
}
