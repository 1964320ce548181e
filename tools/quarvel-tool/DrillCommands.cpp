// quarvel-tool drill: a drill deck as JSON, and the scheduler alone on a review sequence.
#include "tools/quarvel-tool/Commands.h"

#include "bank/FileLookup.h"
#include "results/DrillFile.h"
#include "tools/quarvel-tool/ToolFiles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

namespace
{

// The fewest digits that read back as the same double, never with an exponent.
std::string real(double value)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

void print(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

int drillJson(const QString& path)
{
    if (!filelookup::exists(path))
        return failed(FileError{path, 0, QStringLiteral("no such file")});
    FileError error;
    const auto deck = LoadDrillDeck(path, &error);
    if (!deck)
        return failed(error);
    std::string out = "{\"cards\": [";
    for (size_t i = 0; i < deck->cards.size(); ++i) {
        const DrillCard& c = deck->cards[i];
        out += i == 0 ? "\n  " : ",\n  ";
        out += "{\"number\": " + std::to_string(c.number) + ", \"stability\": " + real(c.stability) +
               ", \"difficulty\": " + real(c.difficulty) + ", \"lastReview\": \"" + drillday::text(c.lastReview) +
               "\", \"due\": \"" + drillday::text(c.due) + "\", \"reviews\": " + std::to_string(c.reviews) +
               ", \"lapses\": " + std::to_string(c.lapses) + "}";
    }
    out += deck->cards.empty() ? "]}\n" : "\n]}\n";
    print(out);
    return 0;
}

// A whole number in 0..max held by a JSON value; nothing otherwise.
std::optional<int> wholeNumber(const QJsonValue& value, int max)
{
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (d != std::floor(d) || d < 0 || d > max)
        return std::nullopt;
    return int(d);
}

int drillSimulate(const QString& sequence)
{
    QByteArray text = sequence.toUtf8();
    if (sequence == QLatin1String("-")) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly))
            return failed(FileError{QStringLiteral("stdin"), 0, QStringLiteral("cannot be read")});
        text = in.readAll();
    }
    const QString name = QStringLiteral("SEQUENCE");
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return failed(FileError{name, 0, QStringLiteral("not JSON: %1").arg(parseError.errorString())});
    if (!document.isArray())
        return failed(FileError{name, 0, QStringLiteral("not a list of [days, grade] pairs")});

    const fsrs::Scheduler scheduler;
    fsrs::MemoryState state;
    std::string out = "[";
    const QJsonArray reviews = document.array();
    for (qsizetype i = 0; i < reviews.size(); ++i) {
        const QJsonArray pair = reviews.at(i).toArray();
        // The first review is of a new question: its days are not read.
        const int days = pair.size() != 2 ? -1
                         : i == 0         ? 0
                                          : wholeNumber(pair.at(0), fsrs::kMaxInterval * 10).value_or(-1);
        const int grade = pair.size() == 2 ? wholeNumber(pair.at(1), 4).value_or(-1) : -1;
        if (days < 0 || grade < 1) {
            return failed(FileError{name, 0,
                                    QStringLiteral("review %1 is not [days, grade] with whole days from 0 to %2 and a "
                                                   "grade from 1 to 4")
                                        .arg(i + 1)
                                        .arg(fsrs::kMaxInterval * 10)});
        }
        state = i == 0 ? scheduler.first(fsrs::Grade(grade)) : scheduler.review(state, days, fsrs::Grade(grade));
        out += i == 0 ? "\n  " : ",\n  ";
        out += "{\"stability\": " + real(state.stability) + ", \"difficulty\": " + real(state.difficulty) +
               ", \"interval\": " + std::to_string(scheduler.interval(state.stability)) + "}";
    }
    out += reviews.isEmpty() ? "]\n" : "\n]\n";
    print(out);
    return 0;
}

} // namespace

int runDrill(const QStringList& args)
{
    if (args.size() == 2 && args[0] == QLatin1String("json"))
        return drillJson(args[1]);
    if (args.size() == 2 && args[0] == QLatin1String("simulate"))
        return drillSimulate(args[1]);
    return usage();
}
