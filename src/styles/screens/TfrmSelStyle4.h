#pragma once
// The panel style's answer screen: drag the panels onto their targets, OK judges.
#include "styles/screens/PanelStyleScreen.h"

class TfrmSelStyle4 : public PanelStyleScreen
{
    Q_OBJECT
  public:
    explicit TfrmSelStyle4(StyleHandOver& handOver, QWidget* parent = nullptr);
};
