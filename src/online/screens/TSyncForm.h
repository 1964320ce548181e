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
namespace ui
{
class PictureButton;
}

// Internet-Sync: the histories of the course menu's vendor in step with the server's copies.
class TSyncForm : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TSyncForm(QWidget* parent = nullptr);

    // Handlers.
    void CheckBox1Click();
    void Image1Click();
    void Button2Click();

    bool transferring() const { return m_busy; }

    // The controls, by their names.
    QComboBox* ComboBox2 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QLineEdit* ProxyServer = nullptr;
    QLineEdit* ProxyPort = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    ui::PictureButton* Image1 = nullptr;
    ui::PictureButton* Button2 = nullptr;
    QWidget* Panel2 = nullptr;
    QLabel* txtTestID = nullptr;
    QProgressBar* UpdateProg = nullptr;
    online::HttpTransport NMHTTP1;

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

    std::unique_ptr<online::HistorySync> m_sync;
    QList<online::SyncRow> m_rows;
    QString m_vendor;
    QList<CourseTest> m_tests; // the vendor's tests when the screen was opened
    bool m_busy = false;
    bool m_waitingForList = false;
};
