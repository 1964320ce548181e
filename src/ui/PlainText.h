#pragma once
// Text that comes from outside (question files, settings files, the profile, servers) is shown as
// it is: never read as markup, never as a shortcut marker. A control whose fixed width cuts such a
// text short carries the whole text as its tooltip and accessible name.
#include <QString>

class QAbstractButton;
class QLabel;
class QListWidgetItem;
class QTableWidgetItem;
class QWidget;

namespace ui
{

// Shows `text` in `label` as plain text and hints the whole text when the label cuts it short
// (checked again whenever the label is resized).
void setPlainText(QLabel* label, const QString& text);

// `text` with every '&' doubled, for controls that take '&' as the mark of a shortcut letter.
QString mnemonicSafe(const QString& text);
// A check box, radio button or push button showing `text` with no shortcut letter taken from it;
// hinted like a label when its width cuts the text short.
void setPlainText(QAbstractButton* button, const QString& text);

// Window titles read "[*]" as the place of the modified mark; a title keeps it as written.
QString windowTitleSafe(const QString& title);
void setPlainWindowTitle(QWidget* window, const QString& title);

// A tooltip that shows `text` literally (tooltips take text that looks like markup as markup).
QString plainToolTip(const QString& text);

// True when `widget` at its present size cannot show the whole of `text` (one line unless the
// widget wraps words).
bool cutsShort(const QWidget* widget, const QString& text);
// Gives `widget` the whole `text` as tooltip and accessible name while its size cuts the text
// short, and takes them back once it fits; re-checked on every resize and font change. An empty
// text stops the watching.
void hintWhenCutShort(QWidget* widget, const QString& text);

// The same for a table cell or list row whose text has `width` pixels of room in `view`.
void hintWhenCutShort(QTableWidgetItem* item, const QWidget* view, int width);
void hintWhenCutShort(QListWidgetItem* item, const QWidget* view, int width);

} // namespace ui
