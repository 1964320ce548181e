#include "shell/screens/TGenericMBForm.h"

TGenericMBForm::TGenericMBForm(QWidget* parent) : ui::Screen(QStringLiteral("GenericMBForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
