#include "shell/screens/TCatSelForm.h"

TCatSelForm::TCatSelForm(QWidget* parent) : ui::Screen(QStringLiteral("CatSelForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
