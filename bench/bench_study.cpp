// The study window's own solve path on a system document: SolveRunner on its thread, the
// interface thread turning its event loop meanwhile, then the touch map with its contour
// drawn by PlanPicture into a window-sized image. Prints seconds: solve, draw, total.
#include "document/SystemDocument.h"
#include "report/PlanPicture.h"
#include "studies/earthing/SolveRunner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    tav::DocumentError error;
    const tav::SystemDocument document = tav::SystemDocument::fromJson(file.readAll(), error);
    if (error.kind != tav::DocumentError::Kind::None)
        return 2;
    const tav::earthing::EarthingInput input = document.input();

    QElapsedTimer timer;
    timer.start();
    SolveRunner runner;
    std::shared_ptr<const tav::earthing::EarthingResult> result;
    QObject::connect(&runner, &SolveRunner::solved, &app, [&](auto evaluation) {
        result = evaluation->governing().evaluation.result;
        app.quit();
    });
    QObject::connect(&runner, &SolveRunner::refused, &app, [&] { app.exit(1); });
    runner.start(document);
    if (app.exec() != 0 || !result)
        return 1;
    const double solve = timer.nsecsElapsed() * 1e-9;

    timer.restart();
    PlanPicture plan;
    plan.conductors = input.conductors;
    plan.result = result.get();
    plan.map = PlanPicture::Map::Touch;
    plan.tolerable = 0.5 * result->touchMax->voltage;
    QImage image(1200, 900, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        plan.paint(painter, image.rect(), plan.extent());
    }
    const double draw = timer.nsecsElapsed() * 1e-9;
    std::printf("%.3f %.3f %.3f\n", solve, draw, solve + draw);
    return 0;
}
