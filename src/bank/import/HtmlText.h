#pragma once
// Turns the HTML that learning platforms store in their text fields into plain text.
#include <QString>

// Tags are removed; <br>, <p>, <div>, <li> and <tr> become line breaks; runs of blanks in the
// markup become one blank; character entities (named and numeric) are decoded. Lines are trimmed
// and the whole is trimmed; empty lines inside stay.
QString htmlToPlainText(const QString& html);

// Plain text -> HTML: special characters escaped, line breaks as <br>, blanks that HTML would fold
// kept as &nbsp;. htmlToPlainText gives the text back.
QString plainTextToHtml(const QString& text);
