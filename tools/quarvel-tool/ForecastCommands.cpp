// quarvel-tool forecast: the chance of passing a test's mock exam, from its history.
#include "bank/Cp932.h"
#include "bank/FileLookup.h"
#include "bank/QuestionFile.h"
#include "bank/TextLines.h"
#include "results/PassForecast.h"
#include "tools/quarvel-tool/Commands.h"
#include "tools/quarvel-tool/ToolFiles.h"

#include <QDate>
#include <cmath>
#include <cstdio>
#include <memory>

namespace
{

// A fraction or a percentage with at most `decimals` places, trailing zeros dropped: 0.7, 12.5, 5.
std::string decimal(double value, int decimals)
{
    std::string text = QString::number(value, 'f', decimals).toStdString();
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

std::string orNull(const std::optional<double>& value, int decimals, double scale = 1)
{
    return value ? decimal(*value * scale, decimals) : "null";
}

// CP932 bytes as a JSON string of UTF-8.
std::string jsonString(std::string_view cp932Bytes)
{
    std::string out = "\"";
    for (char ch : cp932::toUtf8(cp932Bytes)) {
        const auto b = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (ch == '\r') {
            out += "\\r";
        } else if (ch == '\n') {
            out += "\\n";
        } else if (b < 0x20 || b == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", b);
            out += escaped;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

// Keys in the documented order, indented like the other commands' output.
std::string forecastJson(const PassForecast& f)
{
    std::string out = "{\n";
    out += "  \"probability\": " + orNull(f.probability, 4) + ",\n";
    out += "  \"low\": " + decimal(f.low, 4) + ",\n";
    out += "  \"high\": " + decimal(f.high, 4) + ",\n";
    out += "  \"passMark\": " + std::to_string(f.passMark) + ",\n";
    out += "  \"attempts\": " + std::to_string(f.attempts) + ",\n";
    out += "  \"categories\": [";
    for (size_t c = 0; c < f.categories.size(); ++c) {
        const CategoryForecast& category = f.categories[c];
        out += c == 0 ? "\n" : ",\n";
        out += "    {\"number\": " + std::to_string(category.number) + ", \"name\": " + jsonString(category.name) +
               ", \"questions\": " + decimal(category.questions, 2) + ", \"rate\": " + orNull(category.rate, 1, 100) +
               ", \"gain\": " + orNull(category.gain, 4) + "}";
    }
    out += f.categories.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

int forecast(const QString& questionFile, const QString& historyFile, std::optional<int> pass, const QDate& today)
{
    const auto bank = std::make_unique<QuestionBank>();
    if (auto error = LoadQuestionBank(questionFile, *bank))
        return failed(*error);
    QuestionHeader header;
    if (auto error = ReadQuestionHeader(questionFile, header))
        return failed(*error);

    std::string bytes;
    if (auto error = readFile(filelookup::resolve(historyFile), bytes))
        return failed(*error);
    if (bytes.size() < size_t(kHistorySize) || bytes.compare(0, 4, ".HIS") != 0)
        return failed(FileError(historyFile, 0, QStringLiteral("not a history file")));

    if (!pass) {
        const auto target = textlines::parseNumber(header.targetRate);
        if (!target || *target < 0 || *target > 100)
            return failed(
                FileError(questionFile, 2, QStringLiteral("no pass mark after the mock-exam count; give --pass")));
        pass = *target;
    }
    const PassForecast f = ForecastPass(MockExamBlueprint(*bank, *pass), ParseHistory(bytes), today);
    const std::string json = forecastJson(f);
    std::fwrite(json.data(), 1, json.size(), stdout);
    return 0;
}

} // namespace

int runForecast(const QStringList& args)
{
    QStringList files;
    std::optional<int> pass;
    QDate today = QDate::currentDate();
    bool json = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--json")) {
            json = true;
        } else if (arg == QLatin1String("--pass") && i + 1 < args.size()) {
            bool ok = false;
            const int value = args[++i].toInt(&ok);
            if (!ok || value < 0 || value > 100)
                return usage();
            pass = value;
        } else if (arg == QLatin1String("--today") && i + 1 < args.size()) {
            today = QDate::fromString(args[++i], Qt::ISODate);
            if (!today.isValid())
                return usage();
        } else if (arg.startsWith(QLatin1String("--"))) {
            return usage();
        } else {
            files << arg;
        }
    }
    if (files.size() != 2 || !json)
        return usage();
    return forecast(files[0], files[1], pass, today);
}
