#include "session/screens/TExamModeForm.h"

TExamModeForm::TExamModeForm(QWidget* parent) : ui::Screen(QStringLiteral("ExamModeForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel - 模擬試験中..."));
}
