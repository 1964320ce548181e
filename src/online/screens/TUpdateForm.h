#pragma once
#include "online/HttpTransport.h"
#include "online/OnlineVendors.h"
#include "online/QuestionUpdate.h"
#include "ui/Screen.h"

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
namespace ui {
class PictureButton;
}

// The question file update: one vendor or all, through an optional proxy. A run that replaced
// files records the date and ends the program so that the next start reads the new files.
class TUpdateForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TUpdateForm(QWidget* parent = nullptr);

    // Handlers.
    void CheckBox1Click();
    void Image2Click();
    void Button2Click();

    // For tests: the controls by their names.
    QComboBox* ComboBox2() const { return m_ComboBox2; }
    QCheckBox* CheckBox1() const { return m_CheckBox1; }
    QLineEdit* ProxyServer() const { return m_ProxyServer; }
    QLineEdit* ProxyPort() const { return m_ProxyPort; }
    QSpinBox* SpinEdit1() const { return m_SpinEdit1; }
    online::HttpTransport& NMFTP1() { return m_NMFTP1; }

protected:
    void FormPrepare() override;
    void FormShow() override;
    bool FormCloseQuery() override;

private:
    // Runs the update of each vendor in turn behind the progress window, whatever became of the
    // ones before it.
    std::vector<online::VendorOutcome> download(const QList<online::VendorChoice>& vendors);

    online::HttpTransport m_NMFTP1;
    std::optional<online::ServerInfo> m_server;
    QList<online::VendorChoice> m_choices;
    bool m_running = false;

    QLabel* m_Label14 = nullptr;
    QComboBox* m_ComboBox2 = nullptr;
    QCheckBox* m_CheckBox1 = nullptr;
    QLineEdit* m_ProxyServer = nullptr;
    QLineEdit* m_ProxyPort = nullptr;
    QSpinBox* m_SpinEdit1 = nullptr;
    ui::PictureButton* m_Image2 = nullptr;
    ui::PictureButton* m_Button2 = nullptr;
};
