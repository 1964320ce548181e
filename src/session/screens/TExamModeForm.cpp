#include "session/screens/TExamModeForm.h"

TExamModeForm::TExamModeForm(QWidget* parent) : ui::Screen(QStringLiteral("ExamModeForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel - 模擬試験中..."));
}

void TExamModeForm::reviewJump(int row)
{
    currentQuestion = row;
    reviewMode = 1;
}

void TExamModeForm::scoreSession()
{
    hide();
}

void TExamModeForm::setQuestionLabel(const QString&) {}
