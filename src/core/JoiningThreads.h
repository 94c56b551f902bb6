// Helper threads that are joined on every path out of the scope that started
// them: a std::thread still joinable when it is destroyed ends the program,
// and a start can fail (no thread, no memory) after others have begun.
#pragma once

#include <functional>
#include <new>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

class JoiningThreads {
public:
    // How a thread is started: std::thread by default; tests hand in one
    // that fails.
    using Starter = std::function<std::thread(std::function<void()>)>;

    explicit JoiningThreads(Starter start = nullptr) : m_start(std::move(start)) {}
    ~JoiningThreads() { JoinAll(); }
    JoiningThreads(const JoiningThreads&) = delete;
    JoiningThreads& operator=(const JoiningThreads&) = delete;

    // Runs work on a new thread. False, with nothing started, when there is
    // no thread or no memory to be had: the caller does the work itself.
    bool Start(std::function<void()> work)
    {
        try {
            m_threads.reserve(m_threads.size() + 1);
            std::thread thread = m_start ? m_start(std::move(work)) : std::thread(std::move(work));
            if (!thread.joinable())
                return false;
            m_threads.push_back(std::move(thread)); // cannot throw: reserved
            return true;
        } catch (const std::system_error&) {
            return false;
        } catch (const std::bad_alloc&) {
            return false;
        }
    }

    void JoinAll()
    {
        for (std::thread& thread : m_threads)
            if (thread.joinable())
                thread.join();
        m_threads.clear();
    }

    size_t Started() const { return m_threads.size(); }

private:
    Starter m_start;
    std::vector<std::thread> m_threads;
};
