#include "ui/CompactCheckDelegate.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace ui
{

QRect CompactCheckDelegate::boxRect(const QRect& row)
{
    return QRect(row.left() + 1, row.top() + (row.height() - kBox) / 2, kBox, kBox);
}

void CompactCheckDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    painter->save();
    const bool selected = opt.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(opt.rect, opt.palette.highlight());

    const QRect box = boxRect(opt.rect);
    const bool enabled = opt.state & QStyle::State_Enabled;
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(QPen(enabled ? QColor(0x40, 0x40, 0x40) : QColor(0xA0, 0xA0, 0xA0), 1));
    painter->setBrush(Qt::white);
    painter->drawRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    const auto state = Qt::CheckState(index.data(Qt::CheckStateRole).toInt());
    if (state == Qt::Checked) {
        QPainterPath tick;
        tick.moveTo(box.left() + 2.0, box.top() + 5.0);
        tick.lineTo(box.left() + 4.2, box.top() + 7.5);
        tick.lineTo(box.left() + 8.2, box.top() + 2.5);
        painter->setPen(QPen(enabled ? QColor(0x10, 0x10, 0x10) : QColor(0x90, 0x90, 0x90), 1.6, Qt::SolidLine,
                             Qt::RoundCap, Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(tick);
    } else if (state == Qt::PartiallyChecked) {
        painter->fillRect(QRectF(box).adjusted(2.5, 2.5, -2.5, -2.5), QColor(0x70, 0x70, 0x70));
    }

    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(enabled ? QPalette::Active : QPalette::Disabled,
                                      selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect text = opt.rect.adjusted(box.right() + 1 - opt.rect.left() + kTextGap, 0, 0, 0);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, text.width()));
    // The row the keyboard is on, while the list has the focus.
    if (opt.state & QStyle::State_HasFocus) {
        const QColor ring = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Highlight);
        painter->setPen(QPen(ring, 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(opt.rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

bool CompactCheckDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                       const QModelIndex& index)
{
    if (!(index.flags() & Qt::ItemIsUserCheckable) || !(index.flags() & Qt::ItemIsEnabled))
        return false;
    bool toggle = false;
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // A little more than the box itself: 10 pixels is a small target.
        toggle = mouse->button() == Qt::LeftButton &&
                 boxRect(option.rect).adjusted(-1, -1, 2, 1).contains(mouse->position().toPoint());
    } else if (event->type() == QEvent::MouseButtonDblClick || event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // Swallow presses on the box so the view does not start a selection drag there.
        return boxRect(option.rect).adjusted(-1, -1, 2, 1).contains(mouse->position().toPoint());
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        toggle = key == Qt::Key_Space || key == Qt::Key_Select;
    }
    if (!toggle)
        return false;
    const auto state = Qt::CheckState(index.data(Qt::CheckStateRole).toInt());
    return model->setData(index, state == Qt::Checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

} // namespace ui
