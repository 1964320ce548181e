#include "session/screens/MemoText.h"

#include "bank/Cp932.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace memotext
{

namespace
{
QTextOption wrapOption()
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

QString withoutFinalBreak(const QString& text)
{
    return text.endsWith(QLatin1Char('\n')) ? text.chopped(1) : text;
}
} // namespace

QString fromFile(std::string_view bytes)
{
    QString text = cp932::toUnicode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

int displayedLines(const QString& text, const QFont& font, int width)
{
    const QString shown = withoutFinalBreak(text);
    if (shown.isEmpty())
        return 0;
    QTextDocument document;
    document.setDefaultFont(font);
    document.setDocumentMargin(0);
    document.setDefaultTextOption(wrapOption());
    document.setPlainText(shown);
    document.setTextWidth(width);
    document.documentLayout()->documentSize(); // lays the text out
    int lines = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines += std::max(1, block.layout()->lineCount());
    return lines;
}

QTextEdit* createMemo(QWidget* parent, const QString& objectName, const QFont& font)
{
    auto* memo = new QTextEdit(parent);
    memo->setObjectName(objectName);
    memo->setReadOnly(true);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setFont(font);
    memo->document()->setDefaultFont(font);
    memo->document()->setDocumentMargin(0);
    memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    memo->setLineWrapMode(QTextEdit::WidgetWidth);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->viewport()->setCursor(Qt::ArrowCursor);
    memo->setTextInteractionFlags(Qt::NoTextInteraction);
    return memo;
}

void setMemoText(QTextEdit* memo, const QString& text, int linePitch)
{
    memo->setPlainText(withoutFinalBreak(text));
    QTextCursor cursor(memo->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setLineHeight(linePitch, QTextBlockFormat::FixedHeight);
    cursor.mergeBlockFormat(format);
}

QString memoText(const QTextEdit* memo)
{
    return memo->toPlainText();
}

} // namespace memotext
