#include "session/screens/TCaseStudyForm.h"

TCaseStudyForm::TCaseStudyForm(QWidget* parent) : ui::Screen(QStringLiteral("CaseStudyForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
