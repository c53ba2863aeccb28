#pragma once

#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>

// The one way a study window runs work off the interface thread: a fit, a solve, a
// profile's samples. One run counts at a time: a new start makes the runs before it void
// (their outcome is dropped unseen) and asks them to stop. The work hears a cancel and
// reports its progress through its Run; what it gives back runs on the interface thread,
// and only while it is the run that counts. The destructor asks every run to stop and
// waits for it, so that none reports to a window that is gone.
class BackgroundWork : public QObject {
    Q_OBJECT
public:
    class Run {
    public:
        bool cancelled() const { return m_state->cancel.load(std::memory_order_relaxed); }
        // Posted to the interface thread; false when the run should stop.
        bool progress(int stage, double fraction) const;

    private:
        friend class BackgroundWork;
        struct State {
            std::atomic<bool> cancel{false};
            quint64 id = 0;
        };
        Run(BackgroundWork *owner, std::shared_ptr<State> state)
            : m_owner(owner), m_state(std::move(state)) {}
        BackgroundWork *m_owner;
        std::shared_ptr<State> m_state;
    };
    // What the work gives back, to run on the interface thread.
    using Delivery = std::function<void()>;
    using Work = std::function<Delivery(const Run &run)>;

    explicit BackgroundWork(QObject *parent = nullptr);
    ~BackgroundWork() override;

    void start(Work work);
    // The run going is void and asked to stop; cancelled is said at once.
    void cancel();
    // Whatever runs is void, without a word: what it was for has changed.
    void drop();
    bool running() const { return m_current != nullptr; }

Q_SIGNALS:
    void progressed(int stage, double fraction);
    void cancelled();

private:
    void deliver(quint64 id, const Delivery &delivery);

    QThreadPool m_pool;
    std::shared_ptr<Run::State> m_current;
    quint64 m_lastId = 0;
};
