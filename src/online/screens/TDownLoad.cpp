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
    m_Label1 = new QLabel(QStringLiteral("センターと通信しています。"), this);
    m_Label1->setObjectName(QStringLiteral("Label1"));
    m_Label1->setGeometry(16, 12, 328, 20);
    m_DLFLabel = new QLabel(this);
    m_DLFLabel->setObjectName(QStringLiteral("DLFLabel"));
    m_DLFLabel->setGeometry(16, 40, 328, 20);
    m_StatusLabel = new QLabel(QStringLiteral("0 bytes"), this);
    m_StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    m_StatusLabel->setGeometry(16, 68, 328, 20);
    m_Animate1 = new QProgressBar(this);
    m_Animate1->setObjectName(QStringLiteral("Animate1"));
    m_Animate1->setAccessibleName(QStringLiteral("ダウンロード中"));
    m_Animate1->setGeometry(16, 104, 328, 18);
    m_Animate1->setTextVisible(false);
    stopAnimation();
}

void TDownLoad::showFile(const QString& fileName)
{
    ui::setPlainText(m_DLFLabel, QStringLiteral("模擬問題") + fileName + QStringLiteral("をダウンロード中"));
    showBytes(0);
}

void TDownLoad::showBytes(qint64 received)
{
    m_StatusLabel->setText(QString::number(received) + QStringLiteral(" bytes"));
}

// A bar without a range moves by itself: the animation of a running transfer.
void TDownLoad::startAnimation()
{
    m_Animate1->setRange(0, 0);
}

void TDownLoad::stopAnimation()
{
    m_Animate1->setRange(0, 1);
    m_Animate1->setValue(0);
}

bool TDownLoad::animationRunning() const
{
    return m_Animate1->maximum() == 0;
}

QString TDownLoad::fileText() const
{
    return m_DLFLabel->text();
}

QString TDownLoad::bytesText() const
{
    return m_StatusLabel->text();
}
