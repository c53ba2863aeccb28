#include "forms/MainWindowMenu.h"

#include "studies/common/RecentFiles.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/soil/KeptReadings.h"
#include "studies/soil/SoilModelWindow.h"
#include "text/StringIds.h"
#include "ui/FileChooser.h"
#include "ui/LanguageString.h"
#include "ui/LayoutDialog.h"

#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include <memory>

namespace {

// The key under which the study window keeps its own list, so both offer the same files.
const QString kRecentKey = QStringLiteral("earthingStudy/recentFiles");

void openStudy(LayoutDialog *window) {
    const auto path =
        FileChooser::choose(window, {FileChooser::Mode::Open,
                                     LoadLanguageString(StringId::EarthingStudy::kProjectFilter),
                                     QStringLiteral("json"), QString()});
    if (path)
        EarthingStudyWindow::startFrom(*path, window);
}

// Rebuilt as it opens: a study window may have added a file since.
void offerRecent(QMenu *menu, LayoutDialog *window) {
    menu->clear();
    const QStringList files = RecentFiles(kRecentKey).files();
    for (const QString &path : files)
        menu->addAction(QFileInfo(path).fileName(), window,
                        [window, path] {
                            if (EarthingStudyWindow::startFrom(path, window) == nullptr &&
                                !QFileInfo::exists(path))
                                RecentFiles(kRecentKey).remove(path);
                        })
            ->setToolTip(path);
    menu->setEnabled(!files.isEmpty());
}

} // namespace

void MainWindowMenu::attach(LayoutDialog &window) {
    using namespace StringId::MainMenu;
    LayoutDialog *owner = &window;
    QMenu *studies = window.menuBarAbove()->addMenu(LoadLanguageString(kStudies));
    studies->addAction(LoadLanguageString(kNewStudy), owner,
                       [owner] { EarthingStudyWindow::startNew(owner); });
    studies->addAction(LoadLanguageString(kOpenStudy), owner, [owner] { openStudy(owner); });
    QMenu *recent = studies->addMenu(LoadLanguageString(kRecentStudies));
    recent->setObjectName(QStringLiteral("recentStudies"));
    QObject::connect(studies, &QMenu::aboutToShow, recent,
                     [recent, owner] { offerRecent(recent, owner); });
    offerRecent(recent, owner);
    studies->addSeparator();
    // What the soil model window keeps between its openings from here.
    auto kept = std::make_shared<KeptReadings>();
    studies->addAction(LoadLanguageString(kSoilModel), owner, [owner, kept] {
        auto *soil = new SoilModelWindow(owner);
        soil->setFormReadings({}, kept);
        soil->present();
    });
}
