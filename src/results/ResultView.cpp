#include "results/ResultView.h"

#include "bank/Cp932.h"
#include "session/QuestionLayout.h"

#include <QByteArray>

#include <algorithm>

namespace
{

QString letter(int position)
{
    return QString(QChar(u'a' + position - 1));
}

bool isStyleScreen(int style)
{
    return style >= kStyleGraphic && style <= kStyleConnector;
}

// Blanks and control bytes at both ends go, as in every trimmed comparison of the program.
std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32)
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32)
        s.remove_suffix(1);
    return s;
}

} // namespace

QString ChoiceLetters(const std::array<unsigned char, kMaxChoices>& flags)
{
    QString out;
    for (int i = 1; i <= kMaxChoices; ++i) {
        if (flags[size_t(i - 1)] != 0)
            out += QLatin1Char(' ') + letter(i);
    }
    return out;
}

QString StyleLabel(int style)
{
    switch (style) {
    case kStyleGraphic:
        return QStringLiteral("ｸﾞﾗﾌｨｯｸ表示");
    case kStylePanel:
    case kStyleLabelledPanel:
        return QStringLiteral("パネル表示");
    case kStyleTextEntry:
        return QStringLiteral("ﾃｷｽﾄ入力");
    case kStyleConnector:
        return QStringLiteral("ｺﾈｸﾄ表示");
    default:
        return {};
    }
}

ResultRow MakeResultRow(int r, const SessionQuestion& question, const AnswerRecord& answer, bool right)
{
    ResultRow row;
    row.number = QStringLiteral("Q.") + QString::number(r);
    row.answer = ChoiceLetters(answer.answerFlags);
    row.key = ChoiceLetters(question.keyFlags);
    if (isStyleScreen(question.style)) {
        row.answer = StyleLabel(question.style);
        row.key.clear();
    }
    row.mark = right ? QStringLiteral("  ○") : QStringLiteral("  ×");
    return row;
}

QuestionExhibits SplitExhibits(const std::string& text, const QString& questionDataDir)
{
    // The exam screen's rule, so that both screens read the same exhibits from a question.
    const questionlayout::ImageLine line = questionlayout::splitImageLine(text);
    QuestionExhibits result;
    result.text = line.shownText;
    for (int k = 0; k < line.count; ++k)
        result.paths << questionlayout::imagePath(questionDataDir, line.names[size_t(k)]);
    return result;
}

std::string QuestionDetailText(const SessionQuestion& question, const std::string& shownText)
{
    const std::string crlf = "\r\n";
    std::string out = cp932::fromUtf8("【問題】") + crlf + shownText + crlf;
    if (!isStyleScreen(question.style)) {
        out += crlf + cp932::fromUtf8("【選択肢】") + crlf;
        const int shown = std::clamp(question.shownChoiceCount, 0, kMaxChoices);
        for (int k = 1; k <= shown; ++k)
            out += letter(k).toStdString() + ". " + question.choices[size_t(k - 1)] + crlf;
    }
    out += crlf + cp932::fromUtf8("【解説】") + question.explanation + crlf + crlf + cp932::fromUtf8("【参照】") + crlf;
    // References 2 to 4 begin a new line even when reference 1 was left out.
    for (size_t k = 0; k < question.references.size(); ++k) {
        const Reference& ref = question.references[k];
        if (!trimmed(ref.text).empty())
            out += (k == 0 ? std::string() : crlf) + ref.text + ' ';
        if (ref.page != "0")
            out += ref.page + 'P';
    }
    return out;
}

QString AttemptDateText(const AttemptStamp& stamp)
{
    return QStringLiteral("%1/%2/%3 %4:%5")
        .arg(stamp.year)
        .arg(stamp.month)
        .arg(stamp.day)
        .arg(stamp.hour)
        .arg(stamp.minute);
}

QString AttemptTimeText(int minutes, int seconds)
{
    return QStringLiteral("%1' %2").arg(minutes).arg(seconds);
}

QString FaqAddress(const QString& address, const std::string& testCode, int questionNumber)
{
    const QByteArray code = QByteArray(testCode.data(), qsizetype(testCode.size())).toPercentEncoding();
    return address + QStringLiteral("?testid=") + QString::fromLatin1(code) + QStringLiteral("&testno=") +
           QString::number(questionNumber);
}
