#include "styles/screens/TfrmSelStyle6View.h"

#include "bank/QuestionBank.h"

TfrmSelStyle6View::TfrmSelStyle6View(StyleHandOver& handOver, QWidget* parent)
    : PanelStyleScreen(handOver, QStringLiteral("frmSelStyle6View"), kStyleLabelledPanel, Kind::View,
                       QStringLiteral("Quarvel 正解パネル表示"), parent)
{
}
