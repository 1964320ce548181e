#pragma once
// The graphic style's view screen: the question picture with a black frame round each target area.
#include "styles/screens/StyleScreen.h"

#include <array>

class QLabel;

class TfrmSelStyle3View : public StyleScreen
{
    Q_OBJECT
  public:
    explicit TfrmSelStyle3View(StyleHandOver& handOver, QWidget* parent = nullptr);
    void Button1Click() { pressOk(); }

  protected:
    bool rebuild(const StyleQuestion& question) override;

  private:
    std::array<QLabel*, 5> Guide{};
};
