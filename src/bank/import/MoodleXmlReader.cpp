#include "bank/import/MoodleXmlReader.h"

#include "bank/import/HtmlText.h"

#include <QXmlStreamReader>

namespace
{

class Reader
{
  public:
    Reader(std::string_view bytes, const QString& fileName)
        : m_xml(QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()))), m_fileName(fileName)
    {
    }

    std::optional<FileError> read(std::vector<ImportedQuestion>& questions)
    {
        if (!m_xml.readNextStartElement())
            return failure(QStringLiteral("no <quiz> element"));
        if (m_xml.name() != QLatin1String("quiz"))
            return failure(QStringLiteral("the file is not a Moodle XML quiz (<%1> instead of <quiz>)")
                               .arg(m_xml.name().toString()));
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("question"))
                readQuestion(questions);
            else
                m_xml.skipCurrentElement();
        }
        if (m_xml.hasError())
            return failure(m_xml.errorString());
        return std::nullopt;
    }

  private:
    FileError failure(const QString& what) const { return FileError{m_fileName, int(m_xml.lineNumber()), what}; }

    // The element's <text> child (or its own text), markup removed when the format is HTML.
    // Embedded <file> children are added to `pictures` when given.
    QString readTextElement(std::vector<ImportedPicture>* pictures = nullptr)
    {
        const QString format = m_xml.attributes().value(QLatin1String("format")).toString();
        const bool html = format.isEmpty() || format == QLatin1String("html");
        QString raw;
        while (!m_xml.atEnd()) {
            const auto token = m_xml.readNext();
            if (token == QXmlStreamReader::EndElement)
                break;
            if (token == QXmlStreamReader::Characters)
                raw += m_xml.text();
            if (token != QXmlStreamReader::StartElement)
                continue;
            if (m_xml.name() == QLatin1String("text")) {
                raw += m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (m_xml.name() == QLatin1String("file") && pictures) {
                const bool base64 = m_xml.attributes().value(QLatin1String("encoding")) == QLatin1String("base64");
                const QString name = m_xml.attributes().value(QLatin1String("name")).toString();
                const QString data = m_xml.readElementText();
                if (base64)
                    pictures->push_back({name, QByteArray::fromBase64(data.toLatin1())});
            } else {
                m_xml.skipCurrentElement();
            }
        }
        return html ? htmlToPlainText(raw) : raw.trimmed();
    }

    void readAnswer(ImportedQuestion& q)
    {
        ImportedAnswer answer;
        answer.fraction = m_xml.attributes().value(QLatin1String("fraction")).toDouble();
        const QString format = m_xml.attributes().value(QLatin1String("format")).toString();
        const bool html = format == QLatin1String("html");
        QString raw;
        while (!m_xml.atEnd()) {
            const auto token = m_xml.readNext();
            if (token == QXmlStreamReader::EndElement)
                break;
            if (token != QXmlStreamReader::StartElement)
                continue;
            if (m_xml.name() == QLatin1String("text"))
                raw = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
            else if (m_xml.name() == QLatin1String("feedback"))
                answer.feedback = readTextElement();
            else if (m_xml.name() == QLatin1String("tolerance"))
                m_tolerance = m_xml.readElementText().trimmed();
            else
                m_xml.skipCurrentElement();
        }
        answer.text = html ? htmlToPlainText(raw) : raw.trimmed();
        q.answers.push_back(std::move(answer));
    }

    static bool isTrue(const QString& value) { return value == QLatin1String("true") || value == QLatin1String("1"); }

    void readQuestion(std::vector<ImportedQuestion>& questions)
    {
        ImportedQuestion q;
        q.line = int(m_xml.lineNumber());
        const QString type = m_xml.attributes().value(QLatin1String("type")).toString();
        m_tolerance.clear();
        bool toleranceGiven = false;
        while (m_xml.readNextStartElement()) {
            const auto name = m_xml.name();
            if (name == QLatin1String("category"))
                m_category = importCategoryPath(readTextElement());
            else if (name == QLatin1String("questiontext"))
                q.text = readTextElement(&q.pictures);
            else if (name == QLatin1String("generalfeedback"))
                q.generalFeedback = readTextElement();
            else if (name == QLatin1String("answer")) {
                readAnswer(q);
                toleranceGiven = toleranceGiven || (!m_tolerance.isEmpty() && m_tolerance.toDouble() != 0);
            } else if (name == QLatin1String("single"))
                q.severalAllowed = !isTrue(m_xml.readElementText().trimmed());
            else if (name == QLatin1String("usecase"))
                q.caseSensitive = isTrue(m_xml.readElementText().trimmed());
            else
                m_xml.skipCurrentElement();
        }
        if (type == QLatin1String("category") || m_xml.hasError())
            return;
        q.category = m_category;
        q.typeName = type;
        if (type == QLatin1String("multichoice"))
            q.kind = ImportedKind::Choice;
        else if (type == QLatin1String("truefalse"))
            q.kind = ImportedKind::TrueFalse;
        else if (type == QLatin1String("shortanswer"))
            q.kind = ImportedKind::ShortAnswer;
        else if (type == QLatin1String("numerical") && toleranceGiven)
            q.typeName = QStringLiteral("number with a tolerance");
        else if (type == QLatin1String("numerical"))
            q.kind = ImportedKind::Number;
        if (q.kind == ImportedKind::TrueFalse) {
            for (ImportedAnswer& a : q.answers)
                a.text = a.text.trimmed().toLower();
        }
        questions.push_back(std::move(q));
    }

    QXmlStreamReader m_xml;
    QString m_fileName;
    QStringList m_category;
    QString m_tolerance;
};

} // namespace

std::optional<FileError> readMoodleXml(std::string_view bytes, const QString& fileName,
                                       std::vector<ImportedQuestion>& questions)
{
    return Reader(bytes, fileName).read(questions);
}
