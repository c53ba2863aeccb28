// TAV's own start-up, from the loading of the language module to the main window on
// screen, then ended as a user would end it.
#include "CloseOnFirstPaint.h"
#include "app/TAVApp.h"
#include "ui/LanguageModule.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    CloseOnFirstPaint closer;
    application.installEventFilter(&closer);
    CTAVApp app(LanguageModule::DefaultSearchDirs());
    app.InitInstance();
    return app.ExitInstance();
}
