#include "shell/screens/TForm1.h"

TForm1::TForm1(QWidget* parent) : ui::Screen(QStringLiteral("Form1"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel"));
    setKeyHelp({
        {QStringLiteral("Space / Enter"), QStringLiteral("選んでいるボタンを押す")},
    });
}
