#include "styles/screens/TfrmSelStyle7View.h"

#include "bank/QuestionBank.h"
#include "styles/screens/OkButtonKeys.h"
#include "ui/PictureButton.h"

namespace
{
constexpr int kHeightMargin = 60;
}

TfrmSelStyle7View::TfrmSelStyle7View(StyleHandOver& handOver, QWidget* parent)
    : StyleScreen(handOver, QStringLiteral("frmSelStyle7View"), kStyleConnector, Kind::View,
                  QStringLiteral("Quarvel 正解コネクト表示"), kHeightMargin, QStringLiteral("Button5"), parent)
{
    makeOkButtonKeyboardReachable(this);
}

bool TfrmSelStyle7View::rebuild(const StyleQuestion& question)
{
    if (!showPicture(question.answerPicturePath))
        return false;
    okButton()->setFocus();
    return true;
}
