#include "styles/screens/TfrmSelStyle4.h"

#include "bank/QuestionBank.h"

TfrmSelStyle4::TfrmSelStyle4(StyleHandOver& handOver, QWidget* parent)
    : PanelStyleScreen(handOver, QStringLiteral("frmSelStyle4"), kStylePanel, Kind::Answer,
                       QStringLiteral("Quarvel パネル表示"), parent)
{
}
