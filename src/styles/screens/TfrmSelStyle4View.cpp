#include "styles/screens/TfrmSelStyle4View.h"

TfrmSelStyle4View::TfrmSelStyle4View(QWidget* parent) : ui::Screen(QStringLiteral("frmSelStyle4View"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
