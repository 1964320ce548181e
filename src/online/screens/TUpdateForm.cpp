#include "online/screens/TUpdateForm.h"

TUpdateForm::TUpdateForm(QWidget* parent) : ui::Screen(QStringLiteral("UpdateForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
