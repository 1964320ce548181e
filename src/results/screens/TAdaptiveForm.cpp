#include "results/screens/TAdaptiveForm.h"

#include "bank/Cp932.h"
#include "bank/FileLookup.h"
#include "bank/QuestionFile.h"
#include "results/AdaptiveTable.h"
#include "results/screens/TStudyForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "ui/Artwork.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"
#include "ui/PlainText.h"

#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

constexpr int kWidth = 760;
constexpr int kHeight = 560;
constexpr std::array<int, kAdaptiveFields> kColumnWidths{64, 78, 95, 288, 64, 64, 64};
const char* const kHeadings[kAdaptiveFields] = {"問題No",   "大カテゴリ", "小カテゴリ",  "問題文",
                                                "出題回数", "正解回数",   "平均回答時間"};

} // namespace

TAdaptiveForm::TAdaptiveForm(QWidget* parent) : ui::Screen(QStringLiteral("AdaptiveForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel Adaptive一覧表"));
    setKeyHelp({
        {QStringLiteral("↑ / ↓"), QStringLiteral("一覧を移動する")},
        {QStringLiteral("Esc"), QStringLiteral("このウィンドウを閉じる")},
    });
    resize(kWidth, kHeight);
    auto* layout = new QVBoxLayout(this);

    auto* top = new QFrame(this);
    top->setObjectName(QStringLiteral("Panel1"));
    auto* topLayout = new QHBoxLayout(top);
    Label1 = new QLabel(QStringLiteral("テスト名 : "), top);
    Label1->setObjectName(QStringLiteral("Label1"));
    topLayout->addWidget(Label1);
    layout->addWidget(top);

    SG = new QTableWidget(2, kAdaptiveFields, this);
    SG->setObjectName(QStringLiteral("SG"));
    SG->setAccessibleName(QStringLiteral("Adaptive一覧"));
    SG->horizontalHeader()->hide();
    SG->verticalHeader()->hide();
    SG->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    SG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SG->setTabKeyNavigation(false); // Tab leaves the list instead of walking its cells
    for (int k = 0; k < kAdaptiveFields; ++k)
        SG->setColumnWidth(k, kColumnWidths[size_t(k)]);
    layout->addWidget(SG, 1);

    auto* bottom = new QFrame(this);
    bottom->setObjectName(QStringLiteral("Panel2"));
    auto* bottomLayout = new QHBoxLayout(bottom);
    Label2 = new QLabel(bottom);
    Label2->setObjectName(QStringLiteral("Label2"));
    bottomLayout->addWidget(Label2, 1);
    Image1 = new ui::PictureButton(bottom, QStringLiteral("Image1"));
    Image1->setPicture(ui::artwork::button(QStringLiteral("履歴を削除"), 94, 28));
    Image1->setHint(QStringLiteral("Adaptive履歴を削除します"));
    Image1->setAccessibleName(Image1->hint());
    bottomLayout->addWidget(Image1);
    Button1 = new ui::PictureButton(bottom, QStringLiteral("Button1"));
    Button1->setPicture(ui::artwork::button(QStringLiteral("閉じる"), 94, 28));
    Button1->setHint(QStringLiteral("閉じます"));
    Button1->setAccessibleName(Button1->hint());
    bottomLayout->addWidget(Button1);
    layout->addWidget(bottom);

    connect(Button1, &ui::PictureButton::clicked, this, &TAdaptiveForm::Button1Click);
    connect(Image1, &ui::PictureButton::clicked, this, &TAdaptiveForm::Image1Click);
    setTabOrder(SG, Image1);
    setTabOrder(Image1, Button1);
}

void TAdaptiveForm::setTest(const QString& adaptiveFile, const QString& questionFile, const QString& title)
{
    m_adaptiveFile = adaptiveFile;
    m_questionFile = questionFile;
    ui::setPlainText(Label1, QStringLiteral("テスト名 : ") + title);
}

bool TAdaptiveForm::FormCanShow()
{
    if (filelookup::exists(m_adaptiveFile))
        return true;
    ui::messageBox(this, QStringLiteral("情報"), QStringLiteral("Adaptive履歴はありません。"));
    return false;
}

void TAdaptiveForm::FormShow()
{
    resize(kWidth, kHeight);
    FileError error;
    const auto lines = ReadAdaptiveRecord(m_adaptiveFile, &error);
    if (!lines) {
        ui::messageBox(this, QStringLiteral("Error"), error.japaneseText());
        return;
    }
    std::vector<CategoryNames> names;
    // Without its question file the view still lists the record, with category numbers.
    ReadCategoryTable(filelookup::resolve(m_questionFile), names);
    const AdaptiveTable table = BuildAdaptiveTable(*lines, names, filelookup::resolve(m_adaptiveFile));

    SG->setRowCount(int(table.rows.size()) + 1);
    for (int k = 0; k < kAdaptiveFields; ++k) {
        auto* heading = new QTableWidgetItem(QString::fromUtf8(kHeadings[k]));
        ui::hintWhenCutShort(heading, SG, SG->columnWidth(k));
        SG->setItem(0, k, heading);
    }
    for (size_t i = 0; i < table.rows.size(); ++i) {
        for (int k = 0; k < kAdaptiveFields; ++k) {
            auto* cell = new QTableWidgetItem(cp932::toUnicode(table.rows[i][size_t(k)]));
            ui::hintWhenCutShort(cell, SG, SG->columnWidth(k));
            SG->setItem(int(i) + 1, k, cell);
        }
    }
    ui::setPlainText(Label2, cp932::toUnicode(AdaptiveTotalsText(table)));
    if (table.problem)
        ui::messageBox(this, QStringLiteral("Error"), table.problem->text());
}

void TAdaptiveForm::emptyGrid()
{
    SG->setRowCount(2);
    for (int k = 0; k < kAdaptiveFields; ++k)
        SG->setItem(1, k, new QTableWidgetItem);
}

void TAdaptiveForm::Button1Click()
{
    emptyGrid();
    close();
}

void TAdaptiveForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) { // a modal list closes like a dialog
        Button1Click();
        return;
    }
    ui::Screen::keyPressEvent(event);
}

void TAdaptiveForm::Image1Click()
{
    filelookup::remove(m_adaptiveFile);
    emptyGrid();
    if (screens().StudyForm)
        screens().StudyForm->refresh(); // its adaptive icon goes away
    close();
}
