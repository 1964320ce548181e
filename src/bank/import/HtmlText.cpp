#include "bank/import/HtmlText.h"

#include <QHash>
#include <QStringList>

namespace
{

const QHash<QString, char32_t>& namedEntities()
{
    static const QHash<QString, char32_t> table{
        {QStringLiteral("amp"), U'&'},     {QStringLiteral("lt"), U'<'},      {QStringLiteral("gt"), U'>'},
        {QStringLiteral("quot"), U'"'},    {QStringLiteral("apos"), U'\''},   {QStringLiteral("nbsp"), 0xA0},
        {QStringLiteral("copy"), 0xA9},    {QStringLiteral("reg"), 0xAE},     {QStringLiteral("deg"), 0xB0},
        {QStringLiteral("plusmn"), 0xB1},  {QStringLiteral("times"), 0xD7},   {QStringLiteral("divide"), 0xF7},
        {QStringLiteral("middot"), 0xB7},  {QStringLiteral("para"), 0xB6},    {QStringLiteral("sect"), 0xA7},
        {QStringLiteral("ndash"), 0x2013}, {QStringLiteral("mdash"), 0x2014}, {QStringLiteral("hellip"), 0x2026},
        {QStringLiteral("lsquo"), 0x2018}, {QStringLiteral("rsquo"), 0x2019}, {QStringLiteral("ldquo"), 0x201C},
        {QStringLiteral("rdquo"), 0x201D}, {QStringLiteral("bull"), 0x2022},  {QStringLiteral("larr"), 0x2190},
        {QStringLiteral("rarr"), 0x2192},  {QStringLiteral("uarr"), 0x2191},  {QStringLiteral("darr"), 0x2193},
        {QStringLiteral("le"), 0x2264},    {QStringLiteral("ge"), 0x2265},    {QStringLiteral("ne"), 0x2260},
        {QStringLiteral("yen"), 0xA5},     {QStringLiteral("euro"), 0x20AC},  {QStringLiteral("laquo"), 0xAB},
        {QStringLiteral("raquo"), 0xBB},
    };
    return table;
}

// Decodes the entity starting at html[at] == '&'; returns the characters consumed, 0 if none.
qsizetype decodeEntity(const QString& html, qsizetype at, QString& out)
{
    const qsizetype semi = html.indexOf(QLatin1Char(';'), at + 1);
    if (semi < 0 || semi - at > 12)
        return 0;
    const QString body = html.mid(at + 1, semi - at - 1);
    char32_t code = 0;
    if (body.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const bool hex = body.size() > 1 && (body[1] == QLatin1Char('x') || body[1] == QLatin1Char('X'));
        const uint value = body.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        // Surrogates, NUL and values beyond Unicode are not characters.
        if (!ok || value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return 0;
        code = value;
    } else {
        const auto it = namedEntities().constFind(body);
        if (it == namedEntities().constEnd())
            return 0;
        code = *it;
    }
    out += QString::fromUcs4(&code, 1);
    return semi - at + 1;
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

QString trimBlanks(const QString& line)
{
    qsizetype b = 0, e = line.size();
    while (b < e && (line[b] == QLatin1Char(' ') || line[b] == QLatin1Char('\t')))
        ++b;
    while (e > b && (line[e - 1] == QLatin1Char(' ') || line[e - 1] == QLatin1Char('\t')))
        --e;
    return line.mid(b, e - b);
}

// The tag's name, lower-cased, without "/" ("br" for "<br/>", "p" for "</p>").
QString tagName(QStringView tag)
{
    qsizetype i = 0;
    while (i < tag.size() && (tag[i] == QLatin1Char('/') || isBlank(tag[i])))
        ++i;
    qsizetype j = i;
    while (j < tag.size() && tag[j].isLetterOrNumber())
        ++j;
    return tag.mid(i, j - i).toString().toLower();
}

} // namespace

QString htmlToPlainText(const QString& html)
{
    QString text;
    text.reserve(html.size());
    bool pendingBlank = false;
    for (qsizetype i = 0; i < html.size();) {
        const QChar c = html[i];
        if (c == QLatin1Char('<')) {
            const qsizetype close = html.indexOf(QLatin1Char('>'), i + 1);
            if (close < 0) { // a lone "<" is text
                text += c;
                ++i;
                continue;
            }
            const QString name = tagName(QStringView(html).mid(i + 1, close - i - 1));
            i = close + 1;
            if (name == QLatin1String("script") || name == QLatin1String("style")) {
                const qsizetype end = html.indexOf(QLatin1String("</") + name, i, Qt::CaseInsensitive);
                const qsizetype endClose = end < 0 ? -1 : html.indexOf(QLatin1Char('>'), end);
                i = endClose < 0 ? html.size() : endClose + 1;
            } else if (name == QLatin1String("br") || name == QLatin1String("p") || name == QLatin1String("div") ||
                       name == QLatin1String("li") || name == QLatin1String("tr")) {
                text += QLatin1Char('\n');
                pendingBlank = false;
            }
            continue;
        }
        if (isBlank(c)) {
            pendingBlank = true;
            ++i;
            continue;
        }
        if (pendingBlank && !text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char(' ');
        pendingBlank = false;
        if (c == QLatin1Char('&')) {
            if (const qsizetype used = decodeEntity(html, i, text)) {
                i += used;
                continue;
            }
        }
        text += c;
        ++i;
    }
    // Paragraph tags come in pairs and around each other: no more than one empty line in a row.
    QStringList lines = text.split(QLatin1Char('\n'));
    QStringList kept;
    for (const QString& line : lines) {
        const QString t = trimBlanks(line);
        if (t.isEmpty() && !kept.isEmpty() && kept.back().isEmpty())
            continue;
        kept.append(t);
    }
    while (!kept.isEmpty() && kept.front().isEmpty())
        kept.removeFirst();
    while (!kept.isEmpty() && kept.back().isEmpty())
        kept.removeLast();
    return kept.join(QLatin1Char('\n'));
}

QString plainTextToHtml(const QString& text)
{
    QString html;
    html.reserve(text.size() + text.size() / 8);
    bool lineStart = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n')) {
            html += QLatin1String("<br>");
            lineStart = true;
            continue;
        }
        if (c == QLatin1Char('\r'))
            continue;
        if (c == QLatin1Char(' ') && (lineStart || (i > 0 && text[i - 1] == QLatin1Char(' '))))
            html += QLatin1String("&nbsp;");
        else if (c == QLatin1Char('&'))
            html += QLatin1String("&amp;");
        else if (c == QLatin1Char('<'))
            html += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            html += QLatin1String("&gt;");
        else
            html += c;
        lineStart = false;
    }
    return html;
}
