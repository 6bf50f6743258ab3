#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

// Runs jobs on up to a given number of threads, which last as long as this
// does: a batch run hands its groups of writes over one after another, and a
// thread of its own for each would cost its start and its end every time.
// Every job handed over is run, also when this is destroyed meanwhile.
template <typename Result> class TaskThreads
{
public:
    explicit TaskThreads(std::size_t count) : m_count(count) {}
    ~TaskThreads()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        for (std::thread& thread : m_threads)
            thread.join();
    }
    TaskThreads(const TaskThreads&) = delete;
    TaskThreads& operator=(const TaskThreads&) = delete;

    // Raises std::system_error when not one thread could be started.
    std::future<Result> Run(std::function<Result()> job)
    {
        std::packaged_task<Result()> task(std::move(job));
        std::future<Result> done = task.get_future();
        std::unique_lock lock(m_mutex);
        m_jobs.push_back(std::move(task));
        if (m_idle < m_jobs.size() && m_threads.size() < m_count) {
            try {
                m_threads.emplace_back([this] { Serve(); });
            } catch (const std::system_error&) {
                // Fewer threads only means that jobs wait for each other.
                if (m_threads.empty()) {
                    m_jobs.pop_back();
                    throw;
                }
            }
        }
        lock.unlock();
        m_wake.notify_one();
        return done;
    }

private:
    void Serve()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            ++m_idle;
            m_wake.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
            --m_idle;
            if (m_jobs.empty())
                return;
            std::packaged_task<Result()> task = std::move(m_jobs.front());
            m_jobs.pop_front();
            lock.unlock();
            task();
            lock.lock();
        }
    }

    const std::size_t m_count;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::packaged_task<Result()>> m_jobs;
    std::vector<std::thread> m_threads;
    std::size_t m_idle = 0;
    bool m_stop = false;
};
