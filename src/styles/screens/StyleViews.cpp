#include "styles/screens/StyleViews.h"

#include "bank/QuestionBank.h"
#include "shell/screens/ScreenCatalogue.h"
#include "styles/screens/TfrmSelStyle3View.h"
#include "styles/screens/TfrmSelStyle4View.h"
#include "styles/screens/TfrmSelStyle5View.h"
#include "styles/screens/TfrmSelStyle6View.h"
#include "styles/screens/TfrmSelStyle7View.h"

ui::Screen* styleViewScreen(int style)
{
    switch (style) {
    case kStyleGraphic:
        return screens().frmSelStyle3View;
    case kStylePanel:
        return screens().frmSelStyle4View;
    case kStyleTextEntry:
        return screens().frmSelStyle5View;
    case kStyleLabelledPanel:
        return screens().frmSelStyle6View;
    case kStyleConnector:
        return screens().frmSelStyle7View;
    default:
        return nullptr;
    }
}
