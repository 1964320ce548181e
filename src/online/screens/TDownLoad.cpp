#include "online/screens/TDownLoad.h"

TDownLoad::TDownLoad(QWidget* parent) : ui::Screen(QStringLiteral("DownLoad"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
}
