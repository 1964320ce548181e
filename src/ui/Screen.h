#pragma once
// Base of every screen: one top-level window that lives for the whole run and keeps its fields
// between showings. Qt events are turned into the handlers the screens are written in terms of.
#include "ui/KeyHelp.h"

#include <QPointer>
#include <QWidget>

namespace ui
{

class Screen : public QWidget
{
    Q_OBJECT
  public:
    explicit Screen(const QString& objectName, QWidget* parent = nullptr);

    // Shows the screen modally and returns when it is hidden or closed. Nothing is shown when
    // FormCanShow() refuses. `over`: the screen it serves, which owns it while it shows and over
    // which it is placed (default: servedWindow()).
    void showModal(QWidget* over = nullptr);
    bool isShownModally() const { return m_modal; }
    // Shows the screen modelessly, placed over `over` (unless its show handler places it itself).
    void showOver(QWidget* over);

    // The window this one belongs to while it shows: it stands over its owner (the owner is its
    // transient parent) and is minimised and restored with it. Cleared when this one is hidden.
    void setOwner(QWidget* owner);
    QWidget* owner() const { return m_owner; }

    // Draws the pictures the screen draws once (FormPrepare), unless done already. Runs before the
    // first FormShow at the latest; the program runs it earlier while it is idle, so that start-up
    // shows the opening screen without drawing the others.
    void prepare();
    bool isPrepared() const { return m_prepared; }

    // The window that `window` serves: the active window (or, when that is a modeless window such
    // as an exhibit, the screen that owns it), else the visible screen shown most recently (other
    // than `window`); nullptr when none is visible.
    static QWidget* servedWindow(const QWidget* window);

    // The keys this screen understands, listed by the key help panel (F1 or "?").
    void setKeyHelp(QList<KeyHelpEntry> entries) { m_keyHelp = std::move(entries); }
    const QList<KeyHelpEntry>& keyHelp() const { return m_keyHelp; }
    void showKeyHelp();
    // A secondary window closes on Escape as its close box closes it.
    void setClosesOnEscape(bool on) { m_escapeCloses = on; }
    bool closesOnEscape() const { return m_escapeCloses; }

    // Shown, the screen is made the active window, so that its keys work without a click (and
    // without a window manager to activate it).
    void setVisible(bool visible) override;

  protected:
    // Asked before a modal showing; a screen that cannot be built (and has said why) returns false.
    virtual bool FormCanShow() { return true; }
    virtual void FormPrepare() {}
    virtual void FormShow() {}
    virtual void FormActivate() {}
    virtual void FormHide() {}
    // Return false to keep the window open.
    virtual bool FormCloseQuery() { return true; }
    virtual void FormClose() {}

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    bool m_modal = false;
    bool m_prepared = false;
    bool m_minimisedWithOwner = false;
    QPointer<QWidget> m_owner;
    QPointer<QWidget> m_placeOver;
    bool m_escapeCloses = false;
    QList<KeyHelpEntry> m_keyHelp;
};

} // namespace ui
