#include "app/TAVApp.h"
#include "ui/LanguageModule.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt would stop with an error about platform plugins; say plainly
// what is needed instead.
bool hasDisplay() {
    const auto set = [](const char *name) {
        const char *value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char *argv[]) {
    if (!hasDisplay()) {
        std::fprintf(stderr,
                     "TAV is a desktop program and needs a graphical display.\n"
                     "Start it from a desktop session, or without one under a "
                     "virtual display: xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    QApplication application(argc, argv);
    CTAVApp app(LanguageModule::defaultSearchDirs());
    app.setStudy(CTAVApp::studyArgument(QApplication::arguments()));
    app.InitInstance();
    return app.ExitInstance();
}
