#include "session/screens/TConfirmForm.h"

TConfirmForm::TConfirmForm(QWidget* parent) : ui::Screen(QStringLiteral("ConfirmForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}

void TConfirmForm::resetPosition() {}
