#pragma once
// The adaptive history view: the adaptive record of one test as a table with totals, and the
// button that deletes the record. Opened modally by the diagnosis screen.
#include "ui/Screen.h"

class QLabel;
class QTableWidget;
namespace ui
{
class PictureButton;
}

class TAdaptiveForm : public ui::Screen
{
    Q_OBJECT
  public:
    explicit TAdaptiveForm(QWidget* parent = nullptr);

    // Set by the caller before showing: the record, the question data file whose category table
    // names the categories, and the title shown as "テスト名 : " + title.
    void setTest(const QString& adaptiveFile, const QString& questionFile, const QString& title);

    void Button1Click(); // close
    void Image1Click();  // delete the record

  protected:
    bool FormCanShow() override;
    void FormShow() override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void emptyGrid();

    QString m_adaptiveFile;
    QString m_questionFile;
    QLabel* Label1 = nullptr;
    QTableWidget* SG = nullptr;
    QLabel* Label2 = nullptr;
    ui::PictureButton* Button1 = nullptr;
    ui::PictureButton* Image1 = nullptr;
};
