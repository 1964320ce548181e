#include "styles/screens/TfrmSelStyle5.h"

#include "bank/Cp932.h"
#include "ui/PictureButton.h"
#include "ui/PlainText.h"

#include <QLabel>
#include <QLineEdit>

namespace
{
constexpr int kWidth = 350;
constexpr int kHeight = 86;
constexpr int kNoLimit = 32767; // a one-line field's own limit
} // namespace

void layOutTextEntryScreen(StyleScreen* screen, QLabel* label, QLineEdit* edit, QLabel* hiddenAnswer)
{
    screen->setFixedSize(kWidth, kHeight);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(13);
    label->setObjectName(QStringLiteral("Label1"));
    label->setFont(font);
    label->setGeometry(12, 8, kWidth - 24, 18);
    edit->setObjectName(QStringLiteral("Edit1"));
    edit->setFont(font);
    edit->setGeometry(12, 28, kWidth - 24, 22);
    edit->setAccessibleName(label->text());
    label->setBuddy(edit);
    hiddenAnswer->setObjectName(QStringLiteral("sAns"));
    hiddenAnswer->hide();
    ui::PictureButton* ok = screen->okButton();
    ok->move(kWidth - ok->width() - 12, kHeight - ok->height() - 6);
    QWidget::setTabOrder(edit, ok);
}

TfrmSelStyle5::TfrmSelStyle5(StyleHandOver& handOver, QWidget* parent)
    : StyleScreen(handOver, QStringLiteral("frmSelStyle5"), kStyleTextEntry, Kind::Answer,
                  QStringLiteral("Quarvel 記述式"), 0, QStringLiteral("Button1"), parent)
{
    Label1 = new QLabel(QStringLiteral("回答を入力"), this);
    Edit1 = new QLineEdit(this);
    sAns = new QLabel(this);
    layOutTextEntryScreen(this, Label1, Edit1, sAns);
    // Enter in the field confirms, as OK does.
    connect(Edit1, &QLineEdit::returnPressed, this, &TfrmSelStyle5::pressOk);
    setKeyHelp({
        {QStringLiteral("文字キー"), QStringLiteral("回答を入力する")},
        {QStringLiteral("Enter"), QStringLiteral("解答を確定する（OK と同じ）")},
    });
}

bool TfrmSelStyle5::rebuild(const StyleQuestion& question)
{
    m_entry = textentry::fromHandOver(question);
    ui::setPlainText(sAns, cp932::toUnicode(m_entry.correct));
    if (!m_entry.maxLengthValid)
        reportProblem(QStringLiteral("問題 %1 の入力文字数「%2」が数値ではありません。文字数を制限せずに回答できます。")
                          .arg(question.questionNumber)
                          .arg(cp932::toUnicode(question.dataC)));
    Edit1->setMaxLength(m_entry.maxLength > 0 ? m_entry.maxLength : kNoLimit);
    Edit1->clear();
    Edit1->setFocus();
    return true;
}

bool TfrmSelStyle5::judge()
{
    // Text CP932 cannot hold can never equal a correct text read from the question file.
    return textentry::judge(m_entry, cp932::fromUnicodeStrict(Edit1->text()));
}
