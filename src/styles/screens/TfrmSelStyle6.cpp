#include "styles/screens/TfrmSelStyle6.h"

TfrmSelStyle6::TfrmSelStyle6(QWidget* parent) : ui::Screen(QStringLiteral("frmSelStyle6"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
