#include "session/screens/TConfirmForm.h"

#include "bank/Cp932.h"
#include "install/Selection.h"
#include "session/ExamSession.h"
#include "session/ReviewRows.h"
#include "session/screens/TCheatForm.h"
#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "ui/Artwork.h"
#include "ui/PictureButton.h"
#include "ui/PlainText.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <algorithm>

namespace
{

constexpr int kMargin = 24;
constexpr int kListTop = 92;
constexpr int kBoxWidth = 609;
// Column widths of the grids, each with its 1-pixel grid line.
constexpr int kPositionWidth = 32 + 1;
constexpr int kTextWidth = 525 + 1;
constexpr int kMarkWidth = 35 + 1;
constexpr int kGrid1Width = kPositionWidth + kTextWidth;
constexpr int kButtonWidth = 95;
constexpr int kButtonHeight = 38;

// Cells drawn with a 2-pixel text margin, as a classic string grid does: the style's wider item
// margins would cut "Q.100" in a 32-pixel column.
class GridCellDelegate : public QStyledItemDelegate
{
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        const bool selected = opt.state & QStyle::State_Selected;
        if (selected)
            painter->fillRect(opt.rect, opt.palette.brush(group, QPalette::Highlight));
        const QRect area = opt.rect.adjusted(2, 0, -1, 0);
        painter->save();
        painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(opt.font);
        painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                          opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, area.width()));
        painter->restore();
    }
};

QTableWidget* makeGrid(QWidget* parent, const QString& name, const QList<int>& widths)
{
    auto* grid = new QTableWidget(1, int(widths.size()), parent);
    grid->setObjectName(name);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(review::kRowPitch);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setMinimumSectionSize(1);
    int width = 0;
    for (int c = 0; c < widths.size(); ++c) {
        grid->setColumnWidth(c, widths[c]);
        width += widths[c];
    }
    grid->setFrameShape(QFrame::NoFrame);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setAutoScroll(false);
    grid->setWordWrap(false);
    grid->setTextElideMode(Qt::ElideRight);
    grid->setItemDelegate(new GridCellDelegate(grid));
    // Row 0 stands above the scroll box's top edge, out of sight.
    grid->setGeometry(0, -review::kRowPitch, width, review::gridHeight(0));
    return grid;
}

void setCell(QTableWidget* grid, int row, int column, const QString& text)
{
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grid->setItem(row, column, item);
    }
    item->setText(text);
    ui::hintWhenCutShort(item, grid, grid->columnWidth(column)); // question texts are cut at the column's end
}

} // namespace

TConfirmForm::TConfirmForm(ExamSession& session, QWidget* parent)
    : ui::Screen(QStringLiteral("ConfirmForm"), parent), m_session(session)
{
    setWindowTitle(QStringLiteral("確認"));
    setKeyHelp({
        {QStringLiteral("↑ / ↓"), QStringLiteral("問題を選ぶ")},
        {QStringLiteral("Enter"), QStringLiteral("選んだ問題に戻る")},
        {QStringLiteral("Space / Enter"), QStringLiteral("選んでいるボタンを押す")},
    });
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    setFixedSize(kMargin * 2 + kBoxWidth, 384);

    QFont titleFont = font();
    titleFont.setPointSize(12);
    titleFont.setBold(true);
    Label1 = new QLabel(QStringLiteral("採点してよろしいですか?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(titleFont);
    Label1->setGeometry(kMargin, 16, kBoxWidth, 22);
    Label2 = new QLabel(QStringLiteral("ダブルクリックすると該当問題に戻ります。"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(kMargin, 46, kBoxWidth, 18);

    Label5 = new QLabel(QStringLiteral("No."), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setGeometry(kMargin, 72, kPositionWidth, 18);
    Label3 = new QLabel(QStringLiteral("問題"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(kMargin + kPositionWidth, 72, kTextWidth, 18);
    Label4 = new QLabel(QStringLiteral("付箋"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(kMargin + kGrid1Width + 1, 72, kMarkWidth, 18);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(kMargin, kListTop, kBoxWidth, review::kPageHeight);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ScrollBox1->setWidgetResizable(false);
    // The question list takes the keys; the box around it is no Tab stop of its own.
    ScrollBox1->setFocusPolicy(Qt::ClickFocus);
    ScrollBox1->setAccessibleName(QStringLiteral("問題一覧"));
    ScrollContents = new QWidget;
    ScrollContents->setObjectName(QStringLiteral("ScrollContents"));
    StringGrid1 = makeGrid(ScrollContents, QStringLiteral("StringGrid1"), {kPositionWidth, kTextWidth});
    StringGrid2 = makeGrid(ScrollContents, QStringLiteral("StringGrid2"), {kMarkWidth});
    StringGrid2->move(kGrid1Width + 1, -review::kRowPitch);
    StringGrid1->setAccessibleName(QStringLiteral("問題一覧"));
    StringGrid1->setTabKeyNavigation(false); // Tab goes on to the score button
    StringGrid2->setEnabled(false);
    // The mark column is disabled only so that it cannot take the selection; it reads as normal.
    QPalette marks = StringGrid2->palette();
    for (const auto role : {QPalette::Text, QPalette::Highlight, QPalette::HighlightedText, QPalette::Base})
        marks.setColor(QPalette::Disabled, role, marks.color(QPalette::Active, role));
    StringGrid2->setPalette(marks);
    ScrollContents->resize(kGrid1Width + 1 + kMarkWidth, review::contentHeight(0));
    ScrollBox1->setWidget(ScrollContents);

    Button1 = new ui::PictureButton(this, QStringLiteral("Button1"));
    // Its picture, in the vendor's colour, is drawn when the screen is shown.
    Button1->resize(kButtonWidth, kButtonHeight);
    Button1->setHint(QStringLiteral("模擬試験の採点を行います"));
    Button1->move(kMargin + kBoxWidth - kButtonWidth, kListTop + review::kPageHeight + 20);

    connect(StringGrid1, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { StringGrid1SelectCell(row); });
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this](int, int) { StringGrid1DblClick(); });
    connect(Button1, &ui::PictureButton::clicked, this, &TConfirmForm::Button1Click);
    StringGrid1->installEventFilter(this);
}

bool TConfirmForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == StringGrid1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int count = questionCount();
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down: {
            // Through the question rows only: the hidden row 0 is no place the mouse can reach.
            if (count < 1)
                return true;
            const int step = key->key() == Qt::Key_Down ? 1 : -1;
            const int row = std::clamp(selectedRow() + step, 1, count);
            if (row != StringGrid1->currentRow())
                StringGrid1->setCurrentCell(row, 0); // selects and scrolls as a row click does
            return true;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
            StringGrid1DblClick();
            return true;
        default:
            break;
        }
    }
    return ui::Screen::eventFilter(watched, event);
}

int TConfirmForm::questionCount() const
{
    return m_session.count();
}

int TConfirmForm::selectedRow() const
{
    return std::max(0, StringGrid1->currentRow());
}

void TConfirmForm::resetPosition()
{
    if (StringGrid1->currentRow() == 0) {
        StringGrid1SelectCell(0);
        return;
    }
    StringGrid1->setCurrentCell(0, 0); // selects through StringGrid1SelectCell
}

void TConfirmForm::FormShow()
{
    if (screens().CheatForm && screens().CheatForm->isVisible())
        screens().CheatForm->close();

    const int count = questionCount();
    const int kept = selectedRow();
    for (QTableWidget* grid : {StringGrid1, StringGrid2}) {
        grid->setRowCount(count + 1);
        grid->resize(grid->width(), review::gridHeight(count));
    }
    const std::vector<review::Row> rows = review::rows(m_session.sessionQuestions, m_session.answers, count);
    for (int r = 1; r <= count; ++r) {
        const review::Row& row = rows[size_t(r - 1)];
        setCell(StringGrid1, r, 0, QString::fromLatin1(row.position));
        setCell(StringGrid1, r, 1, cp932::toUnicode(row.text));
        setCell(StringGrid2, r, 0, QString::fromLatin1(row.mark));
    }
    const int height = review::contentHeight(count);
    ScrollContents->resize(ScrollContents->width(), height);
    // The scroll box learns the new size from a resize event, which a hidden widget receives
    // only later; the range is the same either way.
    ScrollBox1->verticalScrollBar()->setRange(0, std::max(0, height - review::kPageHeight));

    // The selection stays from the last review unless it no longer exists.
    const int row = kept <= count ? kept : 0;
    if (StringGrid1->currentRow() != row)
        StringGrid1->setCurrentCell(row, 0);
    StringGrid1SelectCell(row);

    const std::uint32_t colour = selection().theme().colour1;
    Button1->setPicture(ui::artwork::button(QStringLiteral("採点"), kButtonWidth, kButtonHeight, colour));
    StringGrid1->setFocus();
}

void TConfirmForm::StringGrid1SelectCell(int row)
{
    const int r = std::max(0, row);
    if (r < StringGrid2->rowCount()) {
        // Selected directly: a disabled view ignores the selection its own calls would make.
        StringGrid2->selectionModel()->setCurrentIndex(StringGrid2->model()->index(r, 0),
                                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    ScrollBox1->verticalScrollBar()->setValue(review::scrollPosition(r));
}

void TConfirmForm::StringGrid1DblClick()
{
    const int row = review::jumpTarget(selectedRow(), questionCount());
    if (row == 0)
        return; // the hidden row: nothing to go back to
    screens().ExamModeForm->reviewJump(row);
    hide();
}

void TConfirmForm::Button1Click()
{
    screens().ExamModeForm->scoreSession();
    // The exam screen closes this screen as part of scoring; make sure of it.
    if (isVisible())
        hide();
}
