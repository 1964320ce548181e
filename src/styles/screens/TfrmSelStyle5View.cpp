#include "styles/screens/TfrmSelStyle5View.h"

#include "bank/Cp932.h"
#include "styles/TextEntryStyle.h"
#include "styles/screens/TfrmSelStyle5.h"
#include "ui/PictureButton.h"

#include <QLabel>
#include <QLineEdit>

TfrmSelStyle5View::TfrmSelStyle5View(StyleHandOver& handOver, QWidget* parent)
    : StyleScreen(handOver, QStringLiteral("frmSelStyle5View"), kStyleTextEntry, Kind::View,
                  QStringLiteral("Quarvel 記述式"), 0, QStringLiteral("Button1"), parent)
{
    Label1 = new QLabel(QStringLiteral("正解"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setReadOnly(true);
    sAns = new QLabel(this);
    layOutTextEntryScreen(this, Label1, Edit1, sAns);
}

bool TfrmSelStyle5View::rebuild(const StyleQuestion& question)
{
    // The same reading of the hand-over as the answer screen's: the text its judge used.
    Edit1->setText(cp932::toUnicode(textentry::fromHandOver(question).correct));
    Edit1->setCursorPosition(0);
    okButton()->setFocus();
    return true;
}
