#include "online/screens/TDownLoad.h"
#include "ui/PlainText.h"

#include <QLabel>
#include <QProgressBar>

TDownLoad::TDownLoad(QWidget* parent) : ui::Screen(QStringLiteral("DownLoad"), parent)
{
    setWindowTitle(QStringLiteral("ダウンロード"));
    setKeyHelp({
        {QStringLiteral("Space / Enter"), QStringLiteral("選んでいるボタンを押す")},
    });
    setFixedSize(360, 150);
    Label1 = new QLabel(QStringLiteral("センターと通信しています。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, 12, 328, 20);
    DLFLabel = new QLabel(this);
    DLFLabel->setObjectName(QStringLiteral("DLFLabel"));
    DLFLabel->setGeometry(16, 40, 328, 20);
    StatusLabel = new QLabel(QStringLiteral("0 bytes"), this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setGeometry(16, 68, 328, 20);
    Animate1 = new QProgressBar(this);
    Animate1->setObjectName(QStringLiteral("Animate1"));
    Animate1->setAccessibleName(QStringLiteral("ダウンロード中"));
    Animate1->setGeometry(16, 104, 328, 18);
    Animate1->setTextVisible(false);
    stopAnimation();
}

void TDownLoad::showFile(const QString& fileName)
{
    ui::setPlainText(DLFLabel, QStringLiteral("模擬問題") + fileName + QStringLiteral("をダウンロード中"));
    showBytes(0);
}

void TDownLoad::showBytes(qint64 received)
{
    StatusLabel->setText(QString::number(received) + QStringLiteral(" bytes"));
}

// A bar without a range moves by itself: the animation of a running transfer.
void TDownLoad::startAnimation()
{
    Animate1->setRange(0, 0);
}

void TDownLoad::stopAnimation()
{
    Animate1->setRange(0, 1);
    Animate1->setValue(0);
}

bool TDownLoad::animationRunning() const
{
    return Animate1->maximum() == 0;
}

QString TDownLoad::fileText() const
{
    return DLFLabel->text();
}

QString TDownLoad::bytesText() const
{
    return StatusLabel->text();
}
