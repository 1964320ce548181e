#include "styles/screens/TfrmSelStyle7.h"

#include "bank/QuestionBank.h"
#include "styles/screens/ConnectorSurface.h"
#include "styles/screens/OkButtonKeys.h"
#include "styles/screens/StyleProblemText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>

using namespace connectorstyle;

namespace
{

constexpr int kHeightMargin = 115;
constexpr int kLineHeight = 14;

// Our own arrow pictures, 18 x 11: a black arrow on white, pointing right or left.
QImage arrowPicture(bool right)
{
    QImage image(kArrowWidth, kArrowHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    painter.drawLine(3, 5, 14, 5);
    const QPolygon head = right ? QPolygon({QPoint(15, 5), QPoint(10, 1), QPoint(10, 9)})
                                : QPolygon({QPoint(2, 5), QPoint(7, 1), QPoint(7, 9)});
    painter.drawPolygon(head);
    return image;
}

// Delphi's FrameRect: the rectangle's own pixels, right and bottom edges excluded.
void frame(QPainter& painter, const Box& box)
{
    painter.drawRect(box.x1, box.y1, box.width() - 1, box.height() - 1);
}

} // namespace

TfrmSelStyle7::TfrmSelStyle7(StyleHandOver& handOver, QWidget* parent)
    : StyleScreen(handOver, QStringLiteral("frmSelStyle7"), kStyleConnector, Kind::Answer,
                  QStringLiteral("Quarvel コネクト表示"), kHeightMargin, QStringLiteral("Button5"), parent),
      LeftImg(arrowPicture(false)), RightImg(arrowPicture(true))
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    m_surface = new ConnectorSurface(this);
    m_surface->setBoard(&m_board);
    connect(m_surface, &ConnectorSurface::objectReleased, this, [this] {
        SetConnector();
        Button3Click();
    });
    connect(m_surface, &ConnectorSurface::kindClicked, this, &TfrmSelStyle7::ConnMouseClick);
    connect(m_surface, &ConnectorSurface::surfacePressed, this, &TfrmSelStyle7::Image1MouseDown);
    connect(m_surface, &ConnectorSurface::connectionChosen, this, &TfrmSelStyle7::SetConnector);

    setKeyHelp({
        {QStringLiteral("Tab / Shift+Tab"), QStringLiteral("オブジェクト、コネクトの種類、引いたコネクトを順に選ぶ")},
        {QStringLiteral("Space（オブジェクトで）"), QStringLiteral("オブジェクトを選ぶ（Shift+Space で2つ目を選ぶ）")},
        {QStringLiteral("1〜9, Enter（種類で）"), QStringLiteral("選んだ2つをその種類のコネクトで結ぶ")},
        {QStringLiteral("矢印キー"), QStringLiteral("選んでいるオブジェクトを動かす（Shift で10ドット）")},
        {QStringLiteral("Delete"), QStringLiteral("選んでいるコネクトを削除する")},
        {QStringLiteral("Enter / Space（OKで）"), QStringLiteral("解答を確定する")},
    });
    const std::array<QString, 6> lines{
        QStringLiteral("ドラッグして、任意の場所にオブジェクトを移動してください。"),
        QStringLiteral("オブジェクトをShiftキーを押すことにより2つ選択し、"),
        QStringLiteral("コネクト内容のオブジェクトをクリックしてください。"),
        QStringLiteral("コネクトを削除する場合は、コネクトオブジェクトを選択して"),
        QStringLiteral("Deleteキーを押してください。"),
        QStringLiteral("キーボードでの操作は F1 キーで表示します。"),
    };
    for (size_t k = 0; k < lines.size(); ++k) {
        QLabel* label = new QLabel(lines[k], this);
        label->setObjectName(QStringLiteral("Label%1").arg(k + 1));
        QFont font = label->font();
        font.setPixelSize(12);
        label->setFont(font);
        m_labels[k] = label;
    }
    for (QPlainTextEdit** memo : {&Memo1, &Memo2, &Memo3}) {
        *memo = new QPlainTextEdit(this);
        (*memo)->setReadOnly(true);
        (*memo)->setFocusPolicy(Qt::NoFocus);
        (*memo)->hide();
    }
    // Hidden listings for whoever checks the screen's work: the connections, the expected ones
    // with the verdict, and the comparison trace.
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("コネクト一覧"));
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setAccessibleName(QStringLiteral("正解データと判定"));
    Memo3->setObjectName(QStringLiteral("Memo3"));
    Memo3->setAccessibleName(QStringLiteral("照合の記録"));
    makeOkButtonKeyboardReachable(this);
}

bool TfrmSelStyle7::rebuild(const StyleQuestion&)
{
    if (!Button2Click())
        return false;
    Button1Click();
    return true;
}

bool TfrmSelStyle7::Button2Click()
{
    releaseImages();
    m_board = {};
    Memo1->clear();
    Memo2->clear();
    Memo3->clear();
    if (!showPicture(question().picturePath))
        return false;
    pictureLabel()->hide(); // the surface draws the picture and what is drawn on it
    const int pictureHeight = m_image.height();
    for (size_t k = 0; k < m_labels.size(); ++k) {
        m_labels[k]->move(8, pictureHeight + 2 + int(k) * kLineHeight);
        m_labels[k]->adjustSize();
    }
    return Button4Click();
}

bool TfrmSelStyle7::Button4Click()
{
    const StyleQuestion& q = question();
    ConnectorParse parsed = parseConnectorData(q.dataB, q.dataC, q.dataA);
    if (parsed.problem) {
        reportProblem(styleProblemText(q, *parsed.problem));
        return false;
    }
    if (parsed.data.truncated)
        reportProblem(styleQuestionMessage(
            q, QStringLiteral("オブジェクトかコネクタの種類が %1 個を、または正解のコネクタが %2 本を超えています。"
                              "超えた分は使いません。")
                   .arg(kMaxObjects)
                   .arg(kMaxConnections)));
    for (const QString& line : parsed.answerData)
        Memo2->appendPlainText(line);
    m_board = ConnectorBoard(std::move(parsed.data));
    return true;
}

void TfrmSelStyle7::Button1Click()
{
    ConnectorPictures& pictures = m_surface->pictures();
    const QImage source = m_image.convertToFormat(QImage::Format_RGB32);
    QImage canvas = source;
    QPainter painter(&canvas);
    // Each piece is lifted off the picture: a copy above it, white where it was.
    const auto lift = [&](const Box& box) {
        QImage piece = source.copy(box.x1, box.y1, box.width(), box.height());
        painter.fillRect(box.x1, box.y1, box.width(), box.height(), Qt::white);
        return piece;
    };
    pictures.band = lift({0, 0, source.width(), kBandHeight});
    for (const ConnectorKind& kind : m_board.kinds()) {
        QImage piece = lift(kind.box);
        QPainter framePainter(&piece);
        framePainter.setPen(Qt::black);
        frame(framePainter, {0, 0, piece.width(), piece.height()});
        framePainter.end();
        pictures.palette.push_back(piece);
    }
    for (const StyleObject& object : m_board.objects())
        pictures.objects.push_back(lift(object.box));
    painter.end();
    pictures.canvas = canvas;
    m_surface->setGeometry(rect());
    m_surface->raise();
    m_surface->chooseFirstObject();
    m_surface->setFocus();
    m_surface->update();
}

void TfrmSelStyle7::SetConnector()
{
    ConnectorPictures& pictures = m_surface->pictures();
    if (pictures.canvas.isNull())
        return;
    QPainter painter(&pictures.canvas);
    painter.fillRect(pictures.canvas.rect(), Qt::white);
    painter.setPen(Qt::black);
    for (const ConnectionDrawing& d : m_board.layoutConnections()) {
        painter.drawImage(d.box.x1, d.box.y1, pictures.palette[size_t(d.kind - 1)]);
        if (d.highlighted) {
            painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            painter.fillRect(d.box.x1, d.box.y1, d.box.width(), d.box.height(), Qt::white);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        if (d.directed) {
            const QImage& arrow = d.pointsRight ? RightImg : LeftImg;
            painter.drawImage(d.leftArrow.x1, d.leftArrow.y1, arrow);
            painter.drawImage(d.rightArrow.x1, d.rightArrow.y1, arrow);
            frame(painter, d.leftArrow);
            frame(painter, d.rightArrow);
        }
        painter.drawLine(d.first.from.x, d.first.from.y, d.first.to.x, d.first.to.y);
        painter.drawLine(d.second.from.x, d.second.from.y, d.second.to.x, d.second.to.y);
    }
    painter.end();
    m_surface->update();
}

void TfrmSelStyle7::Button3Click()
{
    Memo1->setPlainText(m_board.listing().join(QLatin1Char('\n')));
}

void TfrmSelStyle7::ConnMouseClick(int kind)
{
    if (m_board.kindClick(kind) == ConnectorBoard::Made::Full)
        reportProblem(QStringLiteral("コネクタは %1 本までです。これ以上はつなげません。").arg(kMaxConnections));
    SetConnector();
    Button3Click();
}

void TfrmSelStyle7::Image1MouseDown(int x, int y)
{
    m_board.surfaceMouseDown({x, y});
    SetConnector();
}

void TfrmSelStyle7::FormKeyDown(int key)
{
    if (key == Qt::Key_Delete && m_board.deleteSelected()) {
        m_surface->connectionDeleted();
        SetConnector();
    }
}

void TfrmSelStyle7::keyPressEvent(QKeyEvent* event)
{
    // Keys the controls leave alone arrive here, as with the form's key preview.
    FormKeyDown(event->key());
    StyleScreen::keyPressEvent(event);
}

bool TfrmSelStyle7::judge()
{
    releaseImages();
    const ConnectorBoard::Verdict verdict = m_board.judge();
    for (const QString& line : verdict.result)
        Memo2->appendPlainText(line);
    for (const QString& line : verdict.trace)
        Memo3->appendPlainText(line);
    return verdict.passed;
}

void TfrmSelStyle7::FormHide()
{
    releaseImages();
}

void TfrmSelStyle7::releaseImages()
{
    m_surface->releaseImages();
}
