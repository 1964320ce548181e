#pragma once
// The text entry style's view screen: the correct text the judge compares with.
#include "styles/screens/StyleScreen.h"

class QLabel;
class QLineEdit;

class TfrmSelStyle5View : public StyleScreen
{
    Q_OBJECT
  public:
    explicit TfrmSelStyle5View(StyleHandOver& handOver, QWidget* parent = nullptr);
    void Button1Click() { pressOk(); }

  protected:
    bool rebuild(const StyleQuestion& question) override;

  private:
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* sAns = nullptr; // kept for the layout both screens share; not read
};
