#include "online/screens/TSyncForm.h"

TSyncForm::TSyncForm(QWidget* parent) : ui::Screen(QStringLiteral("SyncForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
