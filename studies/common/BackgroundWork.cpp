#include "studies/common/BackgroundWork.h"

#include <QMetaObject>

BackgroundWork::BackgroundWork(QObject *parent) : QObject(parent) {
    // One run at a time: a void run stops within tens of milliseconds, and two large solves
    // side by side would hold two matrices.
    m_pool.setMaxThreadCount(1);
}

BackgroundWork::~BackgroundWork() {
    drop();
    m_pool.clear();
    m_pool.waitForDone();
}

bool BackgroundWork::Run::progress(int stage, double fraction) const {
    if (cancelled())
        return false;
    BackgroundWork *owner = m_owner;
    const quint64 id = m_state->id;
    QMetaObject::invokeMethod(
        owner,
        [owner, id, stage, fraction] {
            if (owner->m_current && owner->m_current->id == id)
                Q_EMIT owner->progressed(stage, fraction);
        },
        Qt::QueuedConnection);
    return true;
}

void BackgroundWork::start(Work work) {
    drop();
    m_current = std::make_shared<Run::State>();
    m_current->id = ++m_lastId;
    const Run run(this, m_current);
    // Runs not yet begun are void already: only the newest need run.
    m_pool.clear();
    m_pool.start([this, run, work = std::move(work)] {
        if (run.cancelled())
            return;
        Delivery delivery = work(run);
        const quint64 id = run.m_state->id;
        QMetaObject::invokeMethod(
            this, [this, id, delivery] { deliver(id, delivery); }, Qt::QueuedConnection);
    });
}

void BackgroundWork::deliver(quint64 id, const Delivery &delivery) {
    if (!m_current || m_current->id != id)
        return;
    m_current.reset();
    if (delivery)
        delivery();
}

void BackgroundWork::cancel() {
    if (!m_current)
        return;
    drop();
    Q_EMIT cancelled();
}

void BackgroundWork::drop() {
    if (m_current)
        m_current->cancel = true;
    m_current.reset();
}
