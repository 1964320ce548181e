#include "results/screens/TStudyForm.h"

TStudyForm::TStudyForm(QWidget* parent) : ui::Screen(QStringLiteral("StudyForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
