#pragma once
#include "ui/Screen.h"

#include <QStringList>

// The user's profile as read from the settings store when the opening screen was shown.
struct Profile {
    QString name;
    QString organisation;
    QString email;
    QString serial;
};

// Opening screen, the main screen: closing it ends the program.
class TMainMenuForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TMainMenuForm(QWidget* parent = nullptr);

    const Profile& profile() const { return m_profile; }
    // First line of CGI_URL, trimmed: where inquiry pages post to.
    const QString& inquiryAddress() const { return m_inquiryAddress; }
    // Mounted optical discs, in mount order (at most 25).
    const QStringList& cdDrives() const { return m_cdDrives; }

protected:
    Profile m_profile;
    QString m_inquiryAddress;
    QStringList m_cdDrives;
};
