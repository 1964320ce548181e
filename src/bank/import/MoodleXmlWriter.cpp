#include "bank/import/MoodleXmlWriter.h"

#include "bank/Cp932.h"
#include "bank/FileError.h"
#include "bank/import/HtmlText.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <QXmlStreamWriter>

namespace
{

constexpr std::string_view kImageMarker = "<INCLUDE IMG>";

QString unicode(std::string_view cp932Bytes)
{
    QString s = cp932::toUnicode(cp932Bytes);
    s.remove(QLatin1Char('\r'));
    return s;
}

// Category and sub-category names as one path level each; "/" separates levels in the format.
QString pathLevel(const std::string& name)
{
    return unicode(name).trimmed().replace(QLatin1Char('/'), QLatin1Char('_'));
}

QString fractionText(double percent)
{
    QString s = QString::number(percent, 'f', 5);
    while (s.contains(QLatin1Char('.')) && (s.endsWith(QLatin1Char('0')) || s.endsWith(QLatin1Char('.'))))
        s.chop(1);
    return s;
}

class Writer
{
  public:
    Writer(const QuestionBank& bank, const QString& fileName, const QString& imageDir, const QuestionFileLines* lines,
           MoodleXmlExport& out)
        : m_bank(bank), m_fileName(fileName), m_imageDir(imageDir), m_lines(lines), m_out(out), m_xml(&out.xml)
    {
    }

    void run()
    {
        m_xml.setAutoFormatting(true);
        m_xml.writeStartDocument();
        m_xml.writeStartElement(QStringLiteral("quiz"));
        for (int c = 1; c <= m_bank.categoryCount; ++c) {
            for (int s = 1; s <= kMaxSubCategories; ++s) {
                bool opened = false;
                for (int i = 1; i <= m_bank.recordsRead; ++i) {
                    const QuestionRecord& r = m_bank.question(i);
                    if (r.category != c || r.subCategory != s)
                        continue;
                    if (!exportable(r, i))
                        continue;
                    if (!opened)
                        writeCategory(c, s);
                    opened = true;
                    writeQuestion(r, i);
                }
            }
        }
        // Questions whose category is outside the table cannot be placed: say so rather than drop them silently.
        for (int i = 1; i <= m_bank.recordsRead; ++i) {
            const QuestionRecord& r = m_bank.question(i);
            if (r.category < 1 || r.category > m_bank.categoryCount || r.subCategory < 1 ||
                r.subCategory > kMaxSubCategories) {
                report(i, QStringLiteral("question %1 left out: its category %2/%3 is not in the table")
                              .arg(r.number)
                              .arg(r.category)
                              .arg(r.subCategory));
                ++m_out.leftOut;
            }
        }
        m_xml.writeEndElement();
        m_xml.writeEndDocument();
    }

  private:
    void report(int record, const QString& what)
    {
        const int line = m_lines ? m_lines->record.at(size_t(record - 1)) : 0;
        m_out.report.append(FileError{m_fileName, line, what}.text());
    }

    bool exportable(const QuestionRecord& r, int record)
    {
        if (r.style == kStyleSingle || r.style == kStyleMultiple || r.style == kStyleTextEntry)
            return true;
        report(record, QStringLiteral("question %1 left out: style %2 has no counterpart").arg(r.number).arg(r.style));
        ++m_out.leftOut;
        return false;
    }

    void writeCategory(int c, int s)
    {
        const CategoryEntry& category = m_bank.category(c);
        m_xml.writeStartElement(QStringLiteral("question"));
        m_xml.writeAttribute(QStringLiteral("type"), QStringLiteral("category"));
        m_xml.writeStartElement(QStringLiteral("category"));
        m_xml.writeTextElement(
            QStringLiteral("text"),
            QStringLiteral("$course$/%1/%2").arg(pathLevel(category.name), pathLevel(category.sub(s).name)));
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    }

    void writeHtml(const QString& element, const QString& html, const QStringList& files = {})
    {
        m_xml.writeStartElement(element);
        m_xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
        m_xml.writeTextElement(QStringLiteral("text"), html);
        for (const QString& name : files) {
            QFile file(QDir(m_imageDir).filePath(name));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            m_xml.writeStartElement(QStringLiteral("file"));
            m_xml.writeAttribute(QStringLiteral("name"), name);
            m_xml.writeAttribute(QStringLiteral("path"), QStringLiteral("/"));
            m_xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("base64"));
            m_xml.writeCharacters(QString::fromLatin1(file.readAll().toBase64()));
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
    }

    // The question text as HTML with its exhibits as embedded pictures; `files` gets their names.
    QString questionHtml(const QuestionRecord& r, int record, QStringList& files)
    {
        std::string_view text = r.text;
        QString images;
        if (text.starts_with(kImageMarker)) {
            const size_t end = text.find_first_of("\r\n");
            const QString line = unicode(text.substr(
                kImageMarker.size(), end == std::string_view::npos ? text.npos : end - kImageMarker.size()));
            text = end == std::string_view::npos ? std::string_view() : text.substr(end);
            for (const QString& name : line.split(QLatin1Char('@'), Qt::SkipEmptyParts)) {
                // Exhibits live in img/ itself: a name that leads elsewhere is not followed.
                if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
                    name.startsWith(QLatin1Char('.'))) {
                    report(record, QStringLiteral("question %1: exhibit \"%2\" is not a plain file name; left out")
                                       .arg(r.number)
                                       .arg(name));
                    continue;
                }
                if (!QFile::exists(QDir(m_imageDir).filePath(name))) {
                    report(record, QStringLiteral("question %1: exhibit \"%2\" not found in %3; left out")
                                       .arg(r.number)
                                       .arg(name, m_imageDir));
                    continue;
                }
                files.append(name);
                images += QStringLiteral("<br><img src=\"@@PLUGINFILE@@/%1\">")
                              .arg(QString::fromLatin1(QUrl::toPercentEncoding(name)));
            }
        }
        return plainTextToHtml(unicode(text).trimmed()) + images;
    }

    void writeQuestion(const QuestionRecord& r, int record)
    {
        const bool textEntry = r.style == kStyleTextEntry;
        m_xml.writeStartElement(QStringLiteral("question"));
        m_xml.writeAttribute(QStringLiteral("type"),
                             textEntry ? QStringLiteral("shortanswer") : QStringLiteral("multichoice"));
        m_xml.writeStartElement(QStringLiteral("name"));
        m_xml.writeTextElement(QStringLiteral("text"), QString::number(r.number));
        m_xml.writeEndElement();
        QStringList files;
        const QString html = questionHtml(r, record, files);
        writeHtml(QStringLiteral("questiontext"), html, files);
        QString explanation = unicode(r.explanation);
        if (explanation.startsWith(QLatin1Char('\n')))
            explanation.remove(0, 1);
        writeHtml(QStringLiteral("generalfeedback"), plainTextToHtml(explanation));
        m_xml.writeTextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
        if (textEntry)
            writeTextEntry(r, record);
        else
            writeChoices(r, record);
        m_xml.writeEndElement();
        ++m_out.exported;
    }

    void writeAnswer(const QString& fraction, const QString& html)
    {
        m_xml.writeStartElement(QStringLiteral("answer"));
        m_xml.writeAttribute(QStringLiteral("fraction"), fraction);
        m_xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
        m_xml.writeTextElement(QStringLiteral("text"), html);
        m_xml.writeEndElement();
    }

    void writeChoices(const QuestionRecord& r, int record)
    {
        const int stored = std::clamp(r.storedChoiceCount, 0, kMaxChoices);
        const int correct = std::clamp(r.correctCount, 0, stored);
        const bool several = r.style == kStyleMultiple;
        m_xml.writeTextElement(QStringLiteral("single"), several ? QStringLiteral("false") : QStringLiteral("true"));
        m_xml.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("1"));
        m_xml.writeTextElement(QStringLiteral("answernumbering"), QStringLiteral("abc"));
        if (r.shownChoiceCount < stored)
            report(record, QStringLiteral("question %1: all %2 choices are exported; a session here shows %3 of them")
                               .arg(r.number)
                               .arg(stored)
                               .arg(r.shownChoiceCount));
        const QString right = fractionText(several && correct > 0 ? 100.0 / correct : 100.0);
        for (int k = 0; k < stored; ++k)
            writeAnswer(k < correct ? right : QStringLiteral("0"),
                        plainTextToHtml(unicode(r.choices.at(size_t(k))).trimmed()));
    }

    void writeTextEntry(const QuestionRecord& r, int record)
    {
        QString answer, mode;
        for (int k = 0; k < 3; ++k) {
            const QString choice = unicode(r.choices.at(size_t(k)));
            if (choice.startsWith(QLatin1String("a@")))
                answer = choice.mid(2);
            else if (choice.startsWith(QLatin1String("b@")))
                mode = choice.mid(2).trimmed();
        }
        if (mode != QLatin1String("on") && mode != QLatin1String("off"))
            report(record, QStringLiteral("question %1: comparison \"%2\" is neither on nor off; exported as off")
                               .arg(r.number)
                               .arg(mode));
        m_xml.writeTextElement(QStringLiteral("usecase"),
                               mode == QLatin1String("on") ? QStringLiteral("1") : QStringLiteral("0"));
        m_xml.writeStartElement(QStringLiteral("answer"));
        m_xml.writeAttribute(QStringLiteral("fraction"), QStringLiteral("100"));
        m_xml.writeAttribute(QStringLiteral("format"), QStringLiteral("moodle_auto_format"));
        m_xml.writeTextElement(QStringLiteral("text"), answer);
        m_xml.writeEndElement();
    }

    const QuestionBank& m_bank;
    QString m_fileName;
    QString m_imageDir;
    const QuestionFileLines* m_lines;
    MoodleXmlExport& m_out;
    QXmlStreamWriter m_xml;
};

} // namespace

MoodleXmlExport writeMoodleXml(const QuestionBank& bank, const QString& fileName, const QString& imageDir,
                               const QuestionFileLines* lines)
{
    MoodleXmlExport out;
    Writer(bank, fileName, imageDir, lines, out).run();
    return out;
}
