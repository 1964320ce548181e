#pragma once
// Read-only texts of the exam screen: CP932 file text shown in a borderless text box whose lines
// stand at a fixed pitch, and the count of lines such a box displays once its text is wrapped.
#include <QFont>
#include <QString>
#include <QTextEdit>
#include <string_view>

namespace memotext
{

// File text (CP932, CR LF line breaks) as shown text with "\n" line breaks.
QString fromFile(std::string_view bytes);

// Lines `text` occupies in a box `width` pixels wide with `font`, wrapped lines included.
// An empty text has no lines, and a final line break starts no new line.
int displayedLines(const QString& text, const QFont& font, int width);

// A read-only, borderless, word-wrapping text box without a document margin, so that what
// displayedLines() counts is what the box shows.
QTextEdit* createMemo(QWidget* parent, const QString& objectName, const QFont& font);

// Puts `text` into the box with its lines `linePitch` pixels apart.
void setMemoText(QTextEdit* memo, const QString& text, int linePitch);

// The shown text of a box, as set (line breaks "\n").
QString memoText(const QTextEdit* memo);

} // namespace memotext
