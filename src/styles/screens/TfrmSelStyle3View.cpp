#include "styles/screens/TfrmSelStyle3View.h"

TfrmSelStyle3View::TfrmSelStyle3View(QWidget* parent) : ui::Screen(QStringLiteral("frmSelStyle3View"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
