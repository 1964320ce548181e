#pragma once
// Pieces the update and sync screens share: labels, the proxy fields that "Use Proxy" switches,
// and the busy state of a blocking transfer (windows kept painted, the user's input thrown away).
#include <QObject>
#include <QStringList>

class QLabel;
class QLineEdit;
class QRect;
class QString;
class QWidget;

namespace onlinescreens
{

// Enabled fields are white, disabled ones silver (0xC0C0C0).
void setProxyFieldsEnabled(QLineEdit* server, QLineEdit* port, bool enabled);

// A label with its object name, text and place.
QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& where);

// A proxy field whose initial text is a prompt: while the field still holds one of `prompts`,
// focus selects it whole and whatever is typed or pasted replaces it.
void holdsPrompt(QLineEdit* field, const QStringList& prompts);
// The field's text, trimmed; empty while it still holds its prompt.
QString fieldValue(const QLineEdit* field);

// While one lives, a blocking transfer runs: the wait cursor shows and every key, click and wheel
// turn made in any window is thrown away (not kept to act when the transfer ends).
class TransferBusy : public QObject
{
  public:
    TransferBusy();
    ~TransferBusy() override;
    TransferBusy(const TransferBusy&) = delete;
    TransferBusy& operator=(const TransferBusy&) = delete;

    static bool active();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Repaints and moves timers while a transfer blocks. Under a TransferBusy the user's input is
// taken and thrown away; without one it waits, so nothing new can start meanwhile.
void keepPainting();

} // namespace onlinescreens
