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
namespace ui
{
class PictureButton;
}

// The question file update: one vendor or all, through an optional proxy. A run that replaced
// files records the date and ends the program so that the next start reads the new files.
class TUpdateForm : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TUpdateForm(QWidget* parent = nullptr);

    // Handlers.
    void CheckBox1Click();
    void Image2Click();
    void Button2Click();

    // The controls, by their names.
    QLabel* Label14 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QLineEdit* ProxyServer = nullptr;
    QLineEdit* ProxyPort = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    ui::PictureButton* Image2 = nullptr;
    ui::PictureButton* Button2 = nullptr;
    online::HttpTransport NMFTP1;

  protected:
    void FormPrepare() override;
    void FormShow() override;
    bool FormCloseQuery() override;

  private:
    // Runs the update of each vendor in turn behind the progress window, whatever became of the
    // ones before it.
    std::vector<online::VendorOutcome> download(const QList<online::VendorChoice>& vendors);

    std::optional<online::ServerInfo> m_server;
    QList<online::VendorChoice> m_choices;
    bool m_running = false;
};
