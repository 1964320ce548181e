#include "online/screens/TSyncCandidateForm.h"

#include "ui/Artwork.h"
#include "ui/PictureButton.h"
#include "ui/PlainText.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

TSyncCandidateForm::TSyncCandidateForm(QWidget* parent) : ui::Screen(QStringLiteral("SyncCandidateForm"), parent)
{
    setWindowTitle(QStringLiteral("Quarvel Internet-Sync"));
    setKeyHelp({
        {QStringLiteral("↑ / ↓"), QStringLiteral("候補を選ぶ")},
        {QStringLiteral("Space / Enter"), QStringLiteral("選んでいるボタンを押す")},
    });
    setClosesOnEscape(true);
    setFixedSize(430, 400);
    auto* title = new QLabel(QStringLiteral("履歴情報の同期状態一覧"), this);
    title->setObjectName(QStringLiteral("Label14"));
    title->setGeometry(16, 10, 398, 26);
    QFont font = title->font();
    font.setPointSize(13);
    font.setBold(true);
    title->setFont(font);
    auto* text1 = new QLabel(QStringLiteral("各テスト履歴の状態はリストのようになっています。"), this);
    text1->setObjectName(QStringLiteral("Label1"));
    text1->setGeometry(16, 40, 398, 20);

    StringGrid1 = new QTableWidget(0, 4, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setAccessibleName(QStringLiteral("履歴情報の同期状態一覧"));
    StringGrid1->setGeometry(16, 64, 398, 250);
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("ﾃｽﾄID"), QStringLiteral("同期状態"),
                                            QStringLiteral("ｻｰﾊﾞｰ日付"), QStringLiteral("ｸﾗｲｱﾝﾄ日付")});
    const int widths[] = {87, 70, 113, 108};
    for (int c = 0; c < 4; ++c)
        StringGrid1->setColumnWidth(c, widths[c]);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setTabKeyNavigation(false);

    auto* text2 = new QLabel(QStringLiteral("同期を行いますか?"), this);
    text2->setObjectName(QStringLiteral("Label2"));
    text2->setGeometry(16, 320, 398, 20);

    Image1 = new ui::PictureButton(this, QStringLiteral("Image1"));
    Image1->setGeometry(100, 346, 100, 38);
    Image1->setAccessibleName(QStringLiteral("OK"));
    connect(Image1, &ui::PictureButton::clicked, this, [this] { Image1Click(); });
    Image2 = new ui::PictureButton(this, QStringLiteral("Image2"));
    Image2->setGeometry(230, 346, 100, 38);
    Image2->setAccessibleName(QStringLiteral("Cancel"));
    connect(Image2, &ui::PictureButton::clicked, this, [this] { Image2Click(); });
}

// The pictures wait until the screen is first shown or the program is idle.
void TSyncCandidateForm::FormPrepare()
{
    Image1->setPicture(ui::artwork::button(QStringLiteral("OK"), 100, 38));
    Image2->setPicture(ui::artwork::button(QStringLiteral("Cancel"), 100, 38));
}

void TSyncCandidateForm::setRows(const QList<online::SyncRow>& rows)
{
    m_answered = false;
    StringGrid1->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const online::SyncRow& row = rows.at(r);
        const QString cells[] = {row.testId, row.state, row.shownServerText(), row.clientText};
        for (int c = 0; c < 4; ++c) {
            auto* cell = new QTableWidgetItem(cells[c]);
            ui::hintWhenCutShort(cell, StringGrid1, StringGrid1->columnWidth(c));
            StringGrid1->setItem(r, c, cell);
        }
    }
}

void TSyncCandidateForm::Image1Click()
{
    finish(true);
}

void TSyncCandidateForm::Image2Click()
{
    finish(false);
}

// Closing the window is the same as Cancel.
void TSyncCandidateForm::FormClose()
{
    if (!m_answered) {
        m_answered = true;
        Q_EMIT answered(false);
    }
}

void TSyncCandidateForm::finish(bool ok)
{
    if (m_answered)
        return;
    m_answered = true;
    hide();
    Q_EMIT answered(ok);
}
