#include "styles/screens/TfrmSelStyle4.h"

TfrmSelStyle4::TfrmSelStyle4(QWidget* parent) : ui::Screen(QStringLiteral("frmSelStyle4"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
