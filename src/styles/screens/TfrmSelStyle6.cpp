#include "styles/screens/TfrmSelStyle6.h"

#include "bank/QuestionBank.h"

TfrmSelStyle6::TfrmSelStyle6(StyleHandOver& handOver, QWidget* parent)
    : PanelStyleScreen(handOver, QStringLiteral("frmSelStyle6"), kStyleLabelledPanel, Kind::Answer,
                       QStringLiteral("Quarvel パネル表示"), parent)
{
}
