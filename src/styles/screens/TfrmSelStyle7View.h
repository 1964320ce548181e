#pragma once
// The connector style's view screen: the question's second picture, which shows the correct
// connections.
#include "styles/screens/StyleScreen.h"

class TfrmSelStyle7View : public StyleScreen
{
    Q_OBJECT
  public:
    explicit TfrmSelStyle7View(StyleHandOver& handOver, QWidget* parent = nullptr);

  protected:
    bool rebuild(const StyleQuestion& question) override;
};
