#pragma once
// The panel style's view screen: every panel on its correct target.
#include "styles/screens/PanelStyleScreen.h"

class TfrmSelStyle4View : public PanelStyleScreen
{
    Q_OBJECT
  public:
    explicit TfrmSelStyle4View(StyleHandOver& handOver, QWidget* parent = nullptr);
};
