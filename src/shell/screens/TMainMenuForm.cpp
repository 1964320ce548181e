#include "shell/screens/TMainMenuForm.h"

TMainMenuForm::TMainMenuForm(QWidget* parent) : ui::Screen(QStringLiteral("MainMenuForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
