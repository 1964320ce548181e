#include "styles/screens/TfrmSelStyle5View.h"

TfrmSelStyle5View::TfrmSelStyle5View(QWidget* parent) : ui::Screen(QStringLiteral("frmSelStyle5View"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
