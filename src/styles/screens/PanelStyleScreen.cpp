#include "styles/screens/PanelStyleScreen.h"

#include "bank/Cp932.h"
#include "bank/QuestionBank.h"
#include "styles/screens/OkButtonKeys.h"
#include "styles/screens/PanelSurface.h"
#include "styles/screens/StyleProblemText.h"
#include "ui/PictureButton.h"
#include "ui/PlainText.h"

#include <QLabel>

namespace
{
constexpr int kHeightMargin = 65;
}

PanelStyleScreen::PanelStyleScreen(StyleHandOver& handOver, const QString& objectName, int style, Kind kind,
                                   const QString& caption, QWidget* parent)
    : StyleScreen(handOver, objectName, style, kind, caption, kHeightMargin, QStringLiteral("Button1"), parent),
      m_variant(style == kStyleLabelledPanel ? panelstyle::Variant::Labelled : panelstyle::Variant::Plain)
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    m_surface = new PanelSurface(this, kind == Kind::Answer);
    if (kind == Kind::Answer)
        setKeyHelp({
            {QStringLiteral("Tab / Shift+Tab"), QStringLiteral("パネルを選ぶ（最後のパネルの次は OK）")},
            {QStringLiteral("← ↑ / → ↓"), QStringLiteral("前 / 次の空いているターゲットにパネルを置く")},
            {QStringLiteral("Alt+矢印キー"), QStringLiteral("パネルを1ドットずつ動かす（Shift で10ドット）")},
            {QStringLiteral("Enter"), QStringLiteral("動かしたパネルをその場に置く")},
            {QStringLiteral("Delete / BackSpace"), QStringLiteral("パネルを元の位置に戻す")},
            {QStringLiteral("Enter / Space（OKで）"), QStringLiteral("解答を確定する")},
        });
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->hide();
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->hide();
    makeOkButtonKeyboardReachable(this);
}

bool PanelStyleScreen::rebuild(const StyleQuestion& question)
{
    m_surface->releaseImages();
    m_board = {};
    m_answer.clear();
    Label2->clear();
    if (!showPicture(question.picturePath))
        return false;
    m_key = question.dataA;
    ui::setPlainText(Label1, cp932::toUnicode(m_key));

    panelstyle::PanelParse parsed = parsePanelData(question.dataB, question.dataC, m_variant);
    if (parsed.problem) {
        reportProblem(styleProblemText(question, *parsed.problem));
        return false;
    }
    if (parsed.data.truncated)
        reportProblem(styleQuestionMessage(
            question, QStringLiteral("ターゲットまたはパネルが %1 個を超えています。超えた分は使いません。")
                          .arg(panelstyle::kMaxPanels)));

    m_board = panelstyle::PanelBoard(std::move(parsed.data));
    if (isView())
        m_board.placeForView(m_variant, m_key);
    m_surface->setBoard(&m_board, m_image);
    m_surface->setGeometry(rect());
    m_surface->raise();
    // The keyboard starts on the panels; a view has nothing to move, so it starts on OK.
    if (isView())
        okButton()->setFocus();
    else
        m_surface->setFocus();
    return true;
}

bool PanelStyleScreen::judge()
{
    m_answer = m_board.answer(m_variant);
    ui::setPlainText(Label2, cp932::toUnicode(m_answer));
    return panelstyle::answerMatches(m_key, m_answer);
}

void PanelStyleScreen::FormHide()
{
    // However the screen closes (OK or the close box), the cut-out images go.
    m_surface->releaseImages();
}
