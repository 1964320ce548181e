#pragma once
// Draws check list rows that are only 12 pixels high: the style's own indicator does not fit such
// rows and comes out clipped, so this delegate draws a 10 x 10 box with a vector tick (crisp at any
// scale) and the text beside it, and toggles the item on a click in the box or on Space. The
// current row of a focused list is framed.
#include <QStyledItemDelegate>

namespace ui
{

class CompactCheckDelegate : public QStyledItemDelegate
{
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static constexpr int kBox = 10;
    static constexpr int kTextGap = 4;

    // Where the box of a row stands within the row's rectangle.
    static QRect boxRect(const QRect& row);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
};

} // namespace ui
