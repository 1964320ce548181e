#include "results/screens/TAdaptiveForm.h"

TAdaptiveForm::TAdaptiveForm(QWidget* parent) : ui::Screen(QStringLiteral("AdaptiveForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
