#include "session/screens/TRefImgForm.h"

TRefImgForm::TRefImgForm(QWidget* parent) : ui::Screen(QStringLiteral("RefImgForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
