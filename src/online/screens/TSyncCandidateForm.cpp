#include "online/screens/TSyncCandidateForm.h"

TSyncCandidateForm::TSyncCandidateForm(QWidget* parent) : ui::Screen(QStringLiteral("SyncCandidateForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
