#include "styles/screens/TfrmSelStyle3View.h"

#include "styles/GraphicStyle.h"

#include "ui/PictureButton.h"

#include <QLabel>
#include <QPainter>

namespace
{
constexpr int kMargin = 65; // outer height = picture + 65
} // namespace

TfrmSelStyle3View::TfrmSelStyle3View(StyleHandOver& handOver, QWidget* parent)
    : StyleScreen(handOver, QStringLiteral("frmSelStyle3View"), kStyleGraphic, Kind::View,
                  QStringLiteral("Quarvel 正解グラフィック表示"), kMargin, QStringLiteral("Button1"), parent)
{
    pictureLabel()->setObjectName(QStringLiteral("DestImg"));
    pictureLabel()->setAccessibleName(QStringLiteral("正解の図"));
    for (size_t i = 0; i < Guide.size(); ++i) {
        auto* guide = new QLabel(this);
        guide->setObjectName(QStringLiteral("Guide%1").arg(i + 1));
        guide->setAttribute(Qt::WA_TranslucentBackground);
        guide->setAttribute(Qt::WA_TransparentForMouseEvents);
        guide->hide();
        Guide[i] = guide;
    }
}

bool TfrmSelStyle3View::rebuild(const StyleQuestion& question)
{
    if (!showPicture(question.picturePath))
        return false;
    graphicstyle::GraphicAnswer areas;
    areas.reset(question.areas);
    for (QLabel* guide : Guide) {
        guide->hide();
        guide->clear();
    }
    const std::vector<int> broken = areas.brokenAreas();
    if (!broken.empty())
        reportProblem(graphicstyle::brokenAreasMessage(question.questionNumber, broken));

    for (size_t j = 0; j < areas.areas().size(); ++j) {
        const auto& area = areas.areas()[j];
        const int width = area ? area->x2 - area->x1 : 0;
        const int height = area ? area->y2 - area->y1 : 0;
        if (width <= 0 || height <= 0)
            continue;
        QPixmap frame(width, height);
        frame.fill(Qt::transparent);
        {
            QPainter painter(&frame);
            painter.setPen(Qt::black);
            // In the guide's own pixels: the area's frame less its first column.
            const QRect r = graphicstyle::guideFrame(*area).translated(-area->x1, -area->y1);
            painter.drawLine(r.topLeft(), r.topRight());
            painter.drawLine(r.bottomLeft(), r.bottomRight());
            painter.drawLine(r.topLeft(), r.bottomLeft());
            painter.drawLine(r.topRight(), r.bottomRight());
        }
        QLabel* guide = Guide[j];
        guide->setPixmap(frame);
        guide->setGeometry(area->x1, area->y1, width, height);
        guide->show();
        guide->raise();
    }
    okButton()->raise();
    return true;
}
