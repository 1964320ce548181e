// Quarvel: practice for IT certification exams.
#include "install/InstallLayout.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TMainMenuForm.h"
#include "ui/FirstPaintProbe.h"

#include <QApplication>
#include <QFont>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarvel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quarvel"));
    QApplication::setOrganizationName(QStringLiteral("Veltrix"));
    // One Japanese face for every line, so kana and Latin letters never mix fonts.
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    // Hidden screens must not end the program; closing the opening screen does.
    QApplication::setQuitOnLastWindowClosed(false);

    layout::enterProgramDir();
    createScreens();
    prepareScreensWhenIdle();
    // A start-up benchmark's switch (QUARVEL_EXIT_AFTER_FIRST_PAINT): end once the opening screen
    // is painted. Set up last: the filter installed last sees the paint first, so the report comes
    // before the idle drawing begins.
    if (ui::FirstPaintProbe::requested())
        new ui::FirstPaintProbe(screens().MainMenuForm);
    screens().MainMenuForm->show();
    const int status = QApplication::exec();
    destroyScreens();
    return status;
}
