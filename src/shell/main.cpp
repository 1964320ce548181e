// Quarvel: practice for IT certification exams.
#include "install/Installation.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TMainMenuForm.h"
#include "ui/FirstPaintProbe.h"
#include "ui/MessageBox.h"

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

    // An installed copy works in the user's own tree; one that cannot be written names it and ends.
    if (const auto problem = layout::enterInstallation()) {
        ui::messageBox(nullptr, QStringLiteral("Error"), *problem, QMessageBox::Ok, QMessageBox::Critical);
        return 1;
    }
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
