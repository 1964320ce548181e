#include "styles/screens/TfrmSelStyle3.h"

TfrmSelStyle3::TfrmSelStyle3(QWidget* parent) : ui::Screen(QStringLiteral("frmSelStyle3"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
