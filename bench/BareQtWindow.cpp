// The yardstick of start-up: a bare Qt program, one window with one Japanese label in the
// program's font, ended by the same first-paint probe as Quarvel. It links Qt Widgets only.
#include "ui/FirstPaintProbe.h"

#include <QApplication>
#include <QFont>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    QLabel label(QStringLiteral("模擬試験を開始します"));
    label.resize(400, 436);
    if (ui::FirstPaintProbe::requested())
        new ui::FirstPaintProbe(&label);
    label.show();
    return QApplication::exec();
}
