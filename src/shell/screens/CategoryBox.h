#pragma once
// A category check box of the category selection screen. Grey (partly checked) is set by the
// program when only some sub-categories are ticked; a click never leads to grey: grey and
// unchecked go to checked, checked goes to unchecked.
#include <QCheckBox>

class CategoryBox : public QCheckBox
{
  public:
    using QCheckBox::QCheckBox;

  protected:
    void nextCheckState() override { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }
};
