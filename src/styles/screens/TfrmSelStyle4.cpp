#include "styles/screens/TfrmSelStyle4.h"

#include "bank/QuestionBank.h"

TfrmSelStyle4::TfrmSelStyle4(QWidget* parent)
    : PanelStyleScreen(QStringLiteral("frmSelStyle4"), kStylePanel, Kind::Answer, QStringLiteral("Quarvel パネル表示"), parent)
{
}
