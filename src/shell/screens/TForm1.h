#pragma once
#include "ui/Screen.h"

// Not built yet: a window with its caption, so the catalogue is complete.
class TForm1 : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TForm1(QWidget* parent = nullptr);
};
