#include "studies/earthing/SolveRunner.h"

#include "studies/common/BackgroundWork.h"

using Stage = tav::earthing::SolveProgress::Stage;

SolveRunner::SolveRunner(QObject *parent) : QObject(parent), m_work(new BackgroundWork(this)) {
    qRegisterMetaType<Stage>();
    connect(m_work, &BackgroundWork::progressed, this,
            [this](int stage, double fraction) { Q_EMIT progressed(Stage(stage), fraction); });
    connect(m_work, &BackgroundWork::cancelled, this, &SolveRunner::cancelled);
}

SolveRunner::~SolveRunner() = default;

bool SolveRunner::running() const {
    return m_work->running();
}

void SolveRunner::start(const tav::SystemDocument &document) {
    m_work->start([this, document](const BackgroundWork::Run &run) -> BackgroundWork::Delivery {
        const auto outcome =
            tav::CaseStudy::evaluate(document, [&run](const tav::earthing::SolveProgress &p) {
                return run.progress(int(p.stage), p.fraction);
            });
        if (!outcome.refused()) {
            auto evaluation = std::make_shared<const tav::StudyEvaluation>(outcome.result());
            return [this, evaluation] { Q_EMIT solved(evaluation); };
        }
        const tav::Refusal refusal = outcome.refusal();
        if (refusal.error == tav::Error::Cancelled)
            return [this] { Q_EMIT cancelled(); };
        return [this, refusal] { Q_EMIT refused(refusal); };
    });
}

void SolveRunner::cancel() {
    m_work->cancel();
}
