#include "studies/earthing/StudyMenu.h"

#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/earthing/ProjectFile.h"
#include "studies/earthing/editor/PlanTools.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

using namespace StringId::EarthingStudy;

// The shortcuts are written out rather than taken from the platform's theme, which may
// have none for Save As or Redo (so it is on a bare X display).
QMenuBar *StudyMenu::make(EarthingStudyWindow *window, ProjectFile *projectFile,
                          EarthingProject *project) {
    auto *bar = new QMenuBar(window);
    QMenu *file = bar->addMenu(LoadLanguageString(kFile));
    file->addAction(LoadLanguageString(kNew), QKeySequence(Qt::CTRL | Qt::Key_N), projectFile,
                    &ProjectFile::newStudy);
    file->addAction(LoadLanguageString(kOpen), QKeySequence(Qt::CTRL | Qt::Key_O), projectFile,
                    &ProjectFile::chooseAndOpen);
    QMenu *recent = file->addMenu(LoadLanguageString(kOpenRecent));
    recent->setObjectName(QStringLiteral("openRecent"));
    projectFile->offerRecent(recent);
    file->addAction(LoadLanguageString(kSave), QKeySequence(Qt::CTRL | Qt::Key_S), projectFile,
                    &ProjectFile::save);
    file->addAction(LoadLanguageString(kSaveAs), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                    projectFile, &ProjectFile::chooseAndSave);
    file->addSeparator();
    QAction *importDrawing = file->addAction(LoadLanguageString(StringId::DxfImport::kMenu), window,
                                             &EarthingStudyWindow::importDrawing);
    importDrawing->setObjectName(QStringLiteral("importDxf"));
    QAction *exportDrawing = file->addAction(LoadLanguageString(StringId::DrawingExport::kMenu),
                                             window, &EarthingStudyWindow::chooseAndSaveDxf);
    exportDrawing->setObjectName(QStringLiteral("exportDxf"));
    file->addSeparator();
    file->addAction(LoadLanguageString(kSavePdf), window, &StudyWindow::chooseAndSavePdf);
    file->addSeparator();
    file->addAction(LoadLanguageString(kClose), QKeySequence(Qt::CTRL | Qt::Key_W), window,
                    &QWidget::close);

    QMenu *edit = bar->addMenu(LoadLanguageString(kEdit));
    QAction *undo = project->undoStack()->createUndoAction(window, LoadLanguageString(kUndo));
    undo->setObjectName(QStringLiteral("undo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction *redo = project->undoStack()->createRedoAction(window, LoadLanguageString(kRedo));
    redo->setObjectName(QStringLiteral("redo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    for (QAction *action : window->planTools()->editActions())
        edit->addAction(action);

    QMenu *view = bar->addMenu(LoadLanguageString(kView));
    QAction *fit = view->addAction(LoadLanguageString(kFit), window, &EarthingStudyWindow::fitPlan);
    fit->setObjectName(QStringLiteral("fit"));
    fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    view->addSeparator();
    view->addAction(LoadLanguageString(kDrawTouchArea), window, &EarthingStudyWindow::drawTouchArea)
        ->setObjectName(QStringLiteral("drawTouchArea"));
    view->addAction(LoadLanguageString(kDrawSurfaceZone), window,
                    &EarthingStudyWindow::drawSurfaceZone)
        ->setObjectName(QStringLiteral("drawSurfaceZone"));
    QMenu *study = bar->addMenu(LoadLanguageString(StringId::Sweep::kMenu));
    study
        ->addAction(LoadLanguageString(StringId::Sweep::kAction), window,
                    &EarthingStudyWindow::openSweep)
        ->setObjectName(QStringLiteral("sweep"));
    study
        ->addAction(LoadLanguageString(StringId::DesignWindow::kAction), window,
                    &EarthingStudyWindow::openDesign)
        ->setObjectName(QStringLiteral("design"));
    QMenu *draw = bar->addMenu(LoadLanguageString(StringId::PlanEditor::kDrawMenu));
    window->planTools()->fillDrawMenu(draw);
    // Shortcuts of a menu bar in a layout work once its actions are the window's too; the
    // plan's own work while it has the keys.
    for (QMenu *menu : {file, view})
        window->addActions(menu->actions());
    window->addActions({undo, redo});
    return bar;
}
