#pragma once
#include "online/HistorySync.h"
#include "online/HttpTransport.h"
#include "ui/Screen.h"

#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QSpinBox;
class QWidget;
namespace ui {
class PictureButton;
}

// Internet-Sync: the histories of the course menu's vendor in step with the server's copies.
class TSyncForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TSyncForm(QWidget* parent = nullptr);

    // Handlers.
    void CheckBox1Click();
    void Image1Click();
    void Button2Click();

    bool transferring() const { return m_busy; }
    QLineEdit* Edit4() const { return m_Edit4; }
    QCheckBox* CheckBox1() const { return m_CheckBox1; }
    QLineEdit* ProxyServer() const { return m_ProxyServer; }
    QLineEdit* ProxyPort() const { return m_ProxyPort; }
    QSpinBox* SpinEdit1() const { return m_SpinEdit1; }
    QWidget* Panel2() const { return m_Panel2; }
    QLabel* txtTestID() const { return m_txtTestID; }
    QProgressBar* UpdateProg() const { return m_UpdateProg; }
    ui::PictureButton* Image1() const { return m_Image1; }
    online::HttpTransport& NMHTTP1() { return m_NMHTTP1; }

protected:
    void FormPrepare() override;
    void FormShow() override;
    bool FormCloseQuery() override;

private:
    // The candidate list's answer: the transfers on OK.
    void candidatesAnswered(bool ok);
    void transfer();
    // Back to idle; `message` shown first when not empty.
    void finish(const QString& message, const QString& title = QStringLiteral("情報"));

    online::HttpTransport m_NMHTTP1;
    std::unique_ptr<online::HistorySync> m_sync;
    QList<online::SyncRow> m_rows;
    QString m_vendor;
    QList<CourseTest> m_tests; // the vendor's tests when the screen was opened
    bool m_busy = false;
    bool m_waitingForList = false;

    QComboBox* m_ComboBox2 = nullptr;
    QLineEdit* m_Edit4 = nullptr;
    QCheckBox* m_CheckBox1 = nullptr;
    QLineEdit* m_ProxyServer = nullptr;
    QLineEdit* m_ProxyPort = nullptr;
    QSpinBox* m_SpinEdit1 = nullptr;
    ui::PictureButton* m_Image1 = nullptr;
    ui::PictureButton* m_Button2 = nullptr;
    QWidget* m_Panel2 = nullptr;
    QLabel* m_txtTestID = nullptr;
    QProgressBar* m_UpdateProg = nullptr;
};
