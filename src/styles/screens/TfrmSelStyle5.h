#pragma once
// The text entry style's answer screen: one line of input compared with the correct text.
#include "styles/TextEntryStyle.h"
#include "styles/screens/StyleScreen.h"

class QLabel;
class QLineEdit;

class TfrmSelStyle5 : public StyleScreen
{
    Q_OBJECT
  public:
    explicit TfrmSelStyle5(StyleHandOver& handOver, QWidget* parent = nullptr);
    void Button1Click() { pressOk(); }

    // What the screen judges against, as last built from the hand-over.
    const textentry::TextEntry& entry() const { return m_entry; }

  protected:
    bool rebuild(const StyleQuestion& question) override;
    bool judge() override;

  private:
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* sAns = nullptr; // the correct text, hidden
    textentry::TextEntry m_entry;
};

// Sizes and places the controls both text entry screens share (client area 350 x 86).
void layOutTextEntryScreen(StyleScreen* screen, QLabel* label, QLineEdit* edit, QLabel* hiddenAnswer);
