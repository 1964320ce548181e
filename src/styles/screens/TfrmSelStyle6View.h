#pragma once
// The labelled panel style's view screen: interchangeable panels spread over the targets that ask for them.
#include "styles/screens/PanelStyleScreen.h"

class TfrmSelStyle6View : public PanelStyleScreen
{
    Q_OBJECT
  public:
    explicit TfrmSelStyle6View(StyleHandOver& handOver, QWidget* parent = nullptr);
};
