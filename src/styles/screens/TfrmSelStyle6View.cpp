#include "styles/screens/TfrmSelStyle6View.h"

TfrmSelStyle6View::TfrmSelStyle6View(QWidget* parent) : ui::Screen(QStringLiteral("frmSelStyle6View"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
