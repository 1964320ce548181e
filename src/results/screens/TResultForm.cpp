#include "results/screens/TResultForm.h"

TResultForm::TResultForm(QWidget* parent) : ui::Screen(QStringLiteral("ResultForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
