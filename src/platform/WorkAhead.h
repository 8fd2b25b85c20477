#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <iterator>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace platform {

// Work that a depth-first walk will ask for next, done ahead on a thread of its own so that
// it runs on a second processor while the walk does its own part.
//
// The walk announces the keys it will ask for, in the order it will ask, and takes each
// result when it gets there. Keys announced later are needed sooner, as a depth-first walk
// finishes the newest level first. The key the walk will most likely take next is left to
// the walk, so that both threads work at the same time instead of the walk waiting; a key
// that has not been started when the walk takes it is done by the walk itself.
template <typename Result>
class WorkAhead {
public:
    // Does the work for `key`; may give up early once `stopping` is set, as its result is
    // then dropped. Result must be default-constructible and movable.
    using Work = std::function<Result(const QString &key, const std::atomic<bool> &stopping)>;
    // What a finished result holds; the thread waits while the results not yet taken hold
    // more than the limit together.
    using Weight = std::function<qsizetype(const Result &)>;

    WorkAhead(Work work, Weight weight, qsizetype weightLimit)
        : m_work(std::move(work))
        , m_weight(std::move(weight))
        , m_weightLimit(weightLimit)
    {
    }
    WorkAhead(const WorkAhead &) = delete;
    WorkAhead &operator=(const WorkAhead &) = delete;

    // Stops the work under way and drops every result not taken.
    ~WorkAhead()
    {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_stopping = true;
        }
        m_changed.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

    void Announce(const QStringList &keys)
    {
        if (keys.isEmpty())
            return;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (!startThreadOnce())
                return;
            for (auto it = keys.crbegin(); it != keys.crend(); ++it) {
                if (!m_started.contains(*it))
                    m_pending.push_back(*it);
            }
        }
        m_changed.notify_all();
    }

    // The walk will not ask for `key`: it is not worked on ahead, or its result is dropped.
    void Withdraw(const QString &key)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (removePending(key))
            return;
        const auto it = m_started.find(key);
        if (it == m_started.end())
            return;
        if (!it->Done) {
            it->Withdrawn = true;
            return;
        }
        m_weightAhead -= it->Weight;
        m_started.erase(it);
        m_changed.notify_all();
    }

    // The result for `key` when it was made ahead or is under way (then it is waited for);
    // nothing when the caller has to do the work itself.
    std::optional<Result> Take(const QString &key)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        for (;;) {
            const auto it = m_started.find(key);
            if (it == m_started.end())
                break;
            // Asking for a withdrawn key takes the withdrawal back.
            it->Withdrawn = false;
            if (it->Done) {
                Result result = std::move(it->Value);
                m_weightAhead -= it->Weight;
                m_started.erase(it);
                lock.unlock();
                m_changed.notify_all();
                return std::optional<Result>(std::move(result));
            }
            m_changed.wait(lock);
        }
        removePending(key);
        return std::nullopt;
    }

private:
    struct Started {
        bool Done = false;
        bool Withdrawn = false; // while under way: dropped when done
        qsizetype Weight = 0;
        Result Value{};
    };

    // A system out of threads only loses the head start: the walk then does all the work.
    bool startThreadOnce()
    {
        if (m_thread.joinable() || m_threadFailed)
            return !m_threadFailed;
        try {
            m_thread = std::thread([this] { workAhead(); });
        } catch (const std::system_error &) {
            m_threadFailed = true;
        }
        return !m_threadFailed;
    }

    void workAhead()
    {
        std::unique_lock<std::mutex> lock(m_lock);
        for (;;) {
            while (!m_stopping && !mayWorkAhead())
                m_changed.wait(lock);
            if (m_stopping)
                return;
            const QString key = nextKey();
            m_started.insert(key, Started());
            lock.unlock();
            Result value = m_work(key, m_stopping);
            const qsizetype weight = m_weight(value);
            lock.lock();
            const auto it = m_started.find(key);
            if (it->Withdrawn) {
                m_started.erase(it);
                m_changed.notify_all();
                continue;
            }
            it->Value = std::move(value);
            it->Weight = weight;
            it->Done = true;
            m_weightAhead += weight;
            m_changed.notify_all();
        }
    }

    bool mayWorkAhead() const { return !m_pending.empty() && m_weightAhead < m_weightLimit; }

    // The walk takes the last pending key next; the one before it is the nearest that the
    // walk will not reach first.
    QString nextKey()
    {
        const auto pick = m_pending.size() >= 2 ? m_pending.end() - 2 : m_pending.end() - 1;
        QString key = std::move(*pick);
        m_pending.erase(pick);
        return key;
    }

    bool removePending(const QString &key)
    {
        const auto it = std::find(m_pending.rbegin(), m_pending.rend(), key);
        if (it == m_pending.rend())
            return false;
        m_pending.erase(std::next(it).base());
        return true;
    }

    const Work m_work;
    const Weight m_weight;
    const qsizetype m_weightLimit;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<QString> m_pending; // the walk asks for the last one first
    QHash<QString, Started> m_started; // under way or done, not yet taken
    qsizetype m_weightAhead = 0;
    std::atomic<bool> m_stopping = false;
    bool m_threadFailed = false;
    std::thread m_thread;
};

} // namespace platform
