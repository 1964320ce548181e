#pragma once
#include "ui/Screen.h"

#include <QColor>
#include <QStringList>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The user's profile as read from the settings store when the opening screen was shown.
struct Profile {
    QString name;
    QString organisation;
    QString email;
    QString serial;
};

// Opening screen, the main screen: closing it ends the program.
class TMainMenuForm : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TMainMenuForm(QWidget* parent = nullptr);

    const Profile& profile() const { return m_profile; }
    // First line of CGI_URL, trimmed: where inquiry pages post to.
    const QString& inquiryAddress() const { return m_inquiryAddress; }
    // Mounted optical discs, in mount order (at most 25).
    const QStringList& cdDrives() const { return m_cdDrives; }

    // The page the blinking link opens.
    static QString vendorSiteAddress();
    // True while the entry face (no stored name) is shown instead of the profile.
    bool isEntryFaceShown() const { return m_entryFace; }
    // True while the profile's frame shows that the screen itself holds the focus.
    bool showsScreenFocus() const;
    int tickCount() const { return m_ticks; }
    QColor linkColour() const { return m_linkColour; }

    // Creation: the inquiry address and the optical drives.
    void FormCreate();

    // Handlers.
    void FormKeyDown(int key);
    void Timer1Timer();
    void Image1Click();
    void Shape1MouseDown();
    void Label8Click();
    void Button1Click();
    void Button2Click();

  protected:
    void FormShow() override;
    void FormActivate() override;
    void FormHide() override;
    void FormClose() override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    Profile m_profile;
    QString m_inquiryAddress;
    QStringList m_cdDrives;

  private:
    void buildControls();
    void buildEntryFace();
    void readProfile();
    void showFace();
    void showScreenFocus();
    void goOn();

    bool m_entryFace = false;
    int m_ticks = 0;
    QColor m_linkColour;

    QLabel* Image1 = nullptr;
    QFrame* Shape1 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QWidget* m_entryPanel = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label17 = nullptr;
    QTimer* Timer1 = nullptr;
};
