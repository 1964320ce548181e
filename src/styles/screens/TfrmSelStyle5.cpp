#include "styles/screens/TfrmSelStyle5.h"

TfrmSelStyle5::TfrmSelStyle5(QWidget* parent) : ui::Screen(QStringLiteral("frmSelStyle5"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
