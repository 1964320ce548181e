#include "ui/PlainText.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QEvent>
#include <QLabel>
#include <QListWidgetItem>
#include <QStyle>
#include <QTableWidgetItem>
#include <QTextDocument>

namespace ui
{

namespace
{

// Watches one widget's size and gives it or takes back the whole text as hint.
class CutShortHint : public QObject
{
  public:
    CutShortHint(QWidget* widget, const QString& text)
        : QObject(widget), m_widget(widget), m_text(text), m_toolTip(widget->toolTip()),
          m_accessibleName(widget->accessibleName())
    {
        setObjectName(QStringLiteral("ui_cutShortHint"));
        widget->installEventFilter(this);
    }

    void setText(const QString& text)
    {
        m_text = text;
        update();
    }

    void update()
    {
        const bool cut = cutsShort(m_widget, m_text);
        if (cut) {
            m_widget->setToolTip(plainToolTip(m_text));
            m_widget->setAccessibleName(m_text);
        } else if (m_hinting) {
            m_widget->setToolTip(m_toolTip);
            m_widget->setAccessibleName(m_accessibleName);
        }
        m_hinting = cut;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_widget && (event->type() == QEvent::Resize || event->type() == QEvent::FontChange ||
                                    event->type() == QEvent::StyleChange || event->type() == QEvent::Show))
            update();
        return false;
    }

  private:
    QWidget* m_widget;
    QString m_text;
    QString m_toolTip;        // what the widget had before the hint
    QString m_accessibleName; // likewise
    bool m_hinting = false;
};

int textHeight(const QWidget* widget, const QString& text, int width)
{
    QTextDocument document;
    document.setDefaultFont(widget->font());
    document.setDocumentMargin(0);
    document.setPlainText(text);
    document.setTextWidth(width);
    return int(document.size().height());
}

} // namespace

void setPlainText(QLabel* label, const QString& text)
{
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    hintWhenCutShort(label, text);
}

QString mnemonicSafe(const QString& text)
{
    QString safe = text;
    return safe.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void setPlainText(QAbstractButton* button, const QString& text)
{
    button->setText(mnemonicSafe(text));
    hintWhenCutShort(button, text);
}

QString windowTitleSafe(const QString& title)
{
    // A run of n "[*]" read as n/2 literal ones when n is even.
    QString safe = title;
    return safe.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

void setPlainWindowTitle(QWidget* window, const QString& title)
{
    window->setWindowTitle(windowTitleSafe(title));
}

QString plainToolTip(const QString& text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<p style=\"white-space:pre\">") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

bool cutsShort(const QWidget* widget, const QString& text)
{
    if (text.isEmpty())
        return false;
    const QRect room = widget->contentsRect();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        const int margin = 2 * label->margin() + qMax(label->indent(), 0);
        if (label->wordWrap())
            return textHeight(widget, text, room.width() - margin) > room.height();
        const QRect needed = widget->fontMetrics().boundingRect(QRect(), Qt::AlignLeft | Qt::TextExpandTabs, text);
        return needed.width() + margin > room.width();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->sizeHint().width() > button->width();
    if (qobject_cast<const QAbstractScrollArea*>(widget)) {
        // Text views wrap at their width; what does not fit their height is out of sight.
        return textHeight(widget, text, room.width() - 8) > room.height() - 8;
    }
    return widget->fontMetrics().horizontalAdvance(text) > room.width();
}

void hintWhenCutShort(QWidget* widget, const QString& text)
{
    // Only this file names a child so.
    auto* hint = static_cast<CutShortHint*>(
        widget->findChild<QObject*>(QStringLiteral("ui_cutShortHint"), Qt::FindDirectChildrenOnly));
    if (!hint) {
        if (text.isEmpty())
            return;
        hint = new CutShortHint(widget, text);
    }
    hint->setText(text);
}

namespace
{
template <typename Item> void hintItem(Item* item, const QWidget* view, int width)
{
    const QString text = item->text();
    // The item delegate leaves a focus frame's margin and one pixel on either side of the text.
    const int margin = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    const QFont font = item->font().resolve(view->font());
    if (QFontMetrics(font).horizontalAdvance(text) + margin > width) {
        item->setToolTip(plainToolTip(text));
        item->setData(Qt::AccessibleTextRole, text);
    } else {
        item->setToolTip(QString());
        item->setData(Qt::AccessibleTextRole, QVariant());
    }
}
} // namespace

void hintWhenCutShort(QTableWidgetItem* item, const QWidget* view, int width)
{
    hintItem(item, view, width);
}

void hintWhenCutShort(QListWidgetItem* item, const QWidget* view, int width)
{
    hintItem(item, view, width);
}

} // namespace ui
