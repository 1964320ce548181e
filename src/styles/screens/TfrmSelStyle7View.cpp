#include "styles/screens/TfrmSelStyle7View.h"

TfrmSelStyle7View::TfrmSelStyle7View(QWidget* parent) : ui::Screen(QStringLiteral("frmSelStyle7View"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
