#include "studies/earthing/SolveRunner.h"

#include "core/earthing/EarthingSolver.h"

#include <QMetaObject>

using namespace tav::earthing;

SolveRunner::SolveRunner(QObject *parent) : QObject(parent) {
    qRegisterMetaType<SolveProgress::Stage>();
}

SolveRunner::~SolveRunner() {
    for (const auto &run : m_runs)
        run->cancel = true;
    reap(true);
}

// Joins the threads that are done (all of them: waits for those still cancelling).
void SolveRunner::reap(bool all) {
    for (auto it = m_runs.begin(); it != m_runs.end();) {
        Run &run = **it;
        if (all || run.finished) {
            if (run.thread.joinable())
                run.thread.join();
            it = m_runs.erase(it);
        } else {
            ++it;
        }
    }
}

void SolveRunner::start(const EarthingInput &input) {
    if (m_current)
        m_current->cancel = true;
    reap(false);
    auto run = std::make_unique<Run>();
    Run *r = run.get();
    r->id = ++m_lastId;
    m_current = r;
    m_currentId = r->id;
    const quint64 id = r->id;
    // The thread reports to this object only while it lives: the destructor joins it.
    r->thread = std::thread([this, r, id, input] {
        const auto progress = [this, r, id](const SolveProgress &p) {
            if (r->cancel)
                return false;
            QMetaObject::invokeMethod(
                this,
                [this, id, p] {
                    if (id == m_currentId)
                        Q_EMIT progressed(p.stage, p.fraction);
                },
                Qt::QueuedConnection);
            return true;
        };
        auto outcome = std::make_shared<tav::Refusable<EarthingResult>>(
            EarthingSolver::solve(input, progress));
        r->finished = true;
        QMetaObject::invokeMethod(
            this, [this, id, outcome] { deliver(id, *outcome); }, Qt::QueuedConnection);
    });
    m_runs.push_back(std::move(run));
}

void SolveRunner::cancel() {
    if (!m_current)
        return;
    m_current->cancel = true;
    m_current = nullptr;
    m_currentId = 0;
    Q_EMIT cancelled();
}

void SolveRunner::deliver(quint64 id, const tav::Refusable<EarthingResult> &outcome) {
    const bool current = id == m_currentId;
    if (current) {
        m_current = nullptr;
        m_currentId = 0;
    }
    reap(false);
    if (!current)
        return;
    if (!outcome.refused())
        Q_EMIT solved(std::make_shared<const EarthingResult>(outcome.result()));
    else if (outcome.refusal().error == tav::Error::Cancelled)
        Q_EMIT cancelled();
    else
        Q_EMIT refused(outcome.refusal());
}
