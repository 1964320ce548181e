#pragma once
// The labelled panel style's answer screen: panels and targets judged by their labels.
#include "styles/screens/PanelStyleScreen.h"

class TfrmSelStyle6 : public PanelStyleScreen
{
    Q_OBJECT
  public:
    explicit TfrmSelStyle6(StyleHandOver& handOver, QWidget* parent = nullptr);
};
