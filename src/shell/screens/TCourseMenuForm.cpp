#include "shell/screens/TCourseMenuForm.h"

TCourseMenuForm::TCourseMenuForm(QWidget* parent) : ui::Screen(QStringLiteral("CourseMenuForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
