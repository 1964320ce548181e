#include "styles/screens/TfrmSelStyle4View.h"

#include "bank/QuestionBank.h"

TfrmSelStyle4View::TfrmSelStyle4View(StyleHandOver& handOver, QWidget* parent)
    : PanelStyleScreen(handOver, QStringLiteral("frmSelStyle4View"), kStylePanel, Kind::View,
                       QStringLiteral("Quarvel 正解パネル表示"), parent)
{
}
