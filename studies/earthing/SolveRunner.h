#pragma once

#include "core/earthing/SolveProgress.h"
#include "core/errors.h"
#include "document/CaseStudy.h"

#include <QObject>

#include <memory>

class BackgroundWork;

// Evaluates the study and its cases off the interface thread (CaseStudy::evaluate, as
// tav-calc does) and tells its progress, its evaluation, its refusal, or that it was cancelled. A
// new solve makes the one running void and asks it to stop, which the solver hears within a few
// tens of milliseconds; so does the runner's end, which waits for it.
class SolveRunner : public QObject {
    Q_OBJECT
public:
    explicit SolveRunner(QObject *parent = nullptr);
    ~SolveRunner() override;

    void start(const tav::SystemDocument &document);
    void cancel();
    bool running() const;

Q_SIGNALS:
    void progressed(tav::earthing::SolveProgress::Stage stage, double fraction);
    void solved(std::shared_ptr<const tav::StudyEvaluation> evaluation);
    void refused(const tav::Refusal &refusal);
    void cancelled();

private:
    BackgroundWork *m_work;
};
