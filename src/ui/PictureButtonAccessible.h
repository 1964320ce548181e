#pragma once
// What screen readers are told about a picture button: a button (not the picture of a label),
// named by its caption or hint, whose press action is the button's own activate().
#include <QAccessibleWidget>

namespace ui
{

class PictureButton;

class PictureButtonAccessible : public QAccessibleWidget
{
  public:
    explicit PictureButtonAccessible(PictureButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

  private:
    PictureButton* button() const;
};

// Makes Qt's accessibility use PictureButtonAccessible for every picture button; repeated calls
// do nothing.
void installPictureButtonAccessibility();

} // namespace ui
