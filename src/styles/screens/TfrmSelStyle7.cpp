#include "styles/screens/TfrmSelStyle7.h"

TfrmSelStyle7::TfrmSelStyle7(QWidget* parent) : ui::Screen(QStringLiteral("frmSelStyle7"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
