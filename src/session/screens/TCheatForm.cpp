#include "session/screens/TCheatForm.h"

TCheatForm::TCheatForm(QWidget* parent) : ui::Screen(QStringLiteral("CheatForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
