#include "online/HistorySync.h"

#include "bank/Cp932.h"
#include "bank/QuestionFile.h"
#include "bank/TextLines.h"
#include "online/FormEncoding.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>
#include <map>
#include <memory>

namespace online
{

namespace
{

const QString kSyncFormat = QStringLiteral("yyyy/MM/dd HH:mm:ss");

QDateTime wholeSeconds(const QDateTime& when)
{
    return QDateTime::fromSecsSinceEpoch(when.toSecsSinceEpoch());
}

std::string digits(int value, int width)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

// Section DLDATA of an initialisation file: keys matched without regard to case, values trimmed.
std::map<std::string, std::string> readSection(std::string_view bytes, std::string_view section)
{
    auto upper = [](std::string_view s) {
        std::string out(s);
        for (char& c : out)
            if (c >= 'a' && c <= 'z')
                c = char(c - 'a' + 'A');
        return out;
    };
    std::map<std::string, std::string> values;
    textlines::LineCursor cursor(bytes);
    std::string_view line;
    bool inside = false;
    while (cursor.next(line)) {
        const std::string_view t = textlines::trim(line);
        if (!t.empty() && t.front() == '[') {
            inside = upper(t) == "[" + upper(section) + "]";
            continue;
        }
        const size_t eq = t.find('=');
        if (!inside || eq == std::string_view::npos)
            continue;
        values.emplace(upper(textlines::trim(t.substr(0, eq))), std::string(textlines::trim(t.substr(eq + 1))));
    }
    return values;
}

} // namespace

std::optional<SyncServers> ReadSyncServers(const QString& path, QString& error)
{
    const auto lines = readServerLines(path, 3, error);
    if (!lines)
        return std::nullopt;
    return SyncServers{lines->at(0), lines->at(1), lines->at(2)};
}

QString syncDateText(const QDateTime& when)
{
    return when.toString(kSyncFormat);
}

QDateTime parseSyncDate(const QString& text)
{
    const QString t = text.trimmed();
    QDateTime when = QDateTime::fromString(t, kSyncFormat);
    if (!when.isValid())
        when = QDateTime::fromString(t, QStringLiteral("yyyy/MM/dd H:mm:ss"));
    if (!when.isValid()) {
        const QDate day = QDate::fromString(t, QStringLiteral("yyyy/MM/dd"));
        if (day.isValid())
            when = QDateTime(day, QTime(0, 0));
    }
    return when;
}

StatusAnswer parseStatusLine(std::string_view line)
{
    StatusAnswer answer;
    const std::string_view trimmed = textlines::trim(line);
    const std::string_view head = textlines::trim(trimmed.substr(0, 6));
    if (head == "ERROR1") {
        answer.kind = StatusAnswer::UserError;
        answer.message = cp932::toUnicode(trimmed.size() > 7 ? trimmed.substr(7) : std::string_view()).trimmed();
        return answer;
    }
    if (head == "ERROR2") {
        answer.kind = StatusAnswer::NoSync;
        return answer;
    }
    if (trimmed == "NOTFOUND") {
        answer.kind = StatusAnswer::NotFound;
        answer.text = QStringLiteral("1998/01/01");
        answer.date = QDateTime(QDate(1998, 1, 1), QTime(0, 0));
        return answer;
    }
    answer.text = cp932::toUnicode(line);
    answer.date = parseSyncDate(answer.text);
    answer.kind = answer.date.isValid() ? StatusAnswer::Date : StatusAnswer::Malformed;
    return answer;
}

QString SyncRow::shownServerText() const
{
    return serverText == QLatin1String("1998/01/01") ? kNoDate : serverText;
}

QString syncState(const QDateTime& serverDate, const QDateTime& clientDate)
{
    const qint64 server = serverDate.toSecsSinceEpoch();
    const qint64 client = clientDate.toSecsSinceEpoch();
    if (server == client)
        return kStateSynced;
    return server < client ? kStateClientNewer : kStateServerNewer;
}

QDateTime historyFileDate(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QDateTime(QDate(1998, 1, 1), QTime(0, 0));
    return wholeSeconds(info.lastModified());
}

std::string identityRequest(const Profile& profile, const QString& testId)
{
    return formString({{"Name", profile.name},
                       {"Serial", profile.serial},
                       {"Test_ID", cp932::fromUnicode(testId)},
                       {"Email", profile.email}});
}

std::string uploadRequest(const Profile& profile, const QString& testId, int questionCount, const QString& clientText,
                          const History& history, const QuestionBank& bank)
{
    const std::string email =
        textlines::trim(profile.email).empty() ? std::string("<NO EMAIL ADDRESS>") : profile.email;
    const std::string name = textlines::trim(profile.name).empty() ? std::string("<NO NAME>") : profile.name;
    const int q = std::clamp(questionCount, 0, kMaxQuestions);
    FormFields f{{"SERIAL", profile.serial},
                 {"EMAIL", email},
                 {"NAME", name},
                 {"TEST_ID", cp932::fromUnicode(testId)},
                 {"SENDQNUM", std::to_string(q)},
                 {"LASTUPDATE", cp932::fromUnicode(clientText)},
                 {"MAX", std::to_string(history.best)},
                 {"AVG", std::to_string(history.average)}};
    f.reserve(f.size() + 50 + 100 + size_t(3 * q) + 1);
    for (int k = 0; k < 10; ++k) {
        const AttemptRecord& a = history.attempts[size_t(k)];
        const std::string kk = digits(k, 2);
        f.push_back({"TIME" + kk, std::to_string(a.minutes)});
        f.push_back({"DATE" + kk, digits(a.month, 2) + digits(a.day, 2) + digits(a.hour, 2) + digits(a.minute, 2)});
        f.push_back({"RATE" + kk, std::to_string(a.rate)});
        f.push_back({"MODE" + kk, std::to_string(a.mode)});
        f.push_back({"QAMNT" + kk, std::to_string(a.questionCount)});
    }
    for (int c = 1; c <= 50; ++c) {
        const std::string kk = digits(c - 1, 2);
        std::string point;
        for (int v : history.categories[size_t(c - 1)])
            point += digits(v, 3);
        f.push_back({"CATEGORY" + kk, std::to_string(c)});
        f.push_back({"POINT" + kk, point});
    }
    for (int j = 1; j <= q; ++j) {
        const std::string jjj = digits(j - 1, 3);
        f.push_back({"QNUM" + jjj, std::to_string(bank.question(j).number)});
        f.push_back({"CORR" + jjj, std::to_string(history.correct[size_t(j - 1)])});
        f.push_back({"FALS" + jjj, std::to_string(history.wrong[size_t(j - 1)])});
    }
    f.push_back({"STATUS", "OK"});
    return formString(f);
}

std::optional<History> parseDownload(std::string_view bytes, QString& error)
{
    const auto values = readSection(bytes, "DLDATA");
    bool bad = false;
    auto fail = [&](const std::string& key, const std::string& value) {
        if (!bad)
            error = QStringLiteral("%1=%2: not a value from 0 to 255")
                        .arg(QString::fromLatin1(key), cp932::toUnicode(value));
        bad = true;
        return 0;
    };
    auto byteValue = [&](std::string_view text, const std::string& key) {
        if (text.empty() || text.size() > 3)
            return fail(key, std::string(text));
        int v = 0;
        for (char c : text) {
            if (c < '0' || c > '9')
                return fail(key, std::string(text));
            v = v * 10 + (c - '0');
        }
        return v > 255 ? fail(key, std::string(text)) : v;
    };
    auto value = [&](const std::string& key) {
        const auto it = values.find(key);
        return it == values.end() ? 0 : byteValue(it->second, key);
    };

    History h;
    h.best = value("MAX");
    h.average = value("AVG");
    for (int n = 0; n < 10; ++n) {
        AttemptRecord& a = h.attempts[size_t(n)];
        const std::string nn = digits(n, 2);
        a.minutes = value("TIME" + nn);
        a.rate = value("RATE" + nn);
        a.mode = value("MODE" + nn);
        a.questionCount = value("QAMNT" + nn);
        const auto date = values.find("DATE" + nn);
        if (date != values.end() && date->second != "0") {
            if (date->second.size() != 8) {
                fail("DATE" + nn, date->second);
            } else {
                const std::string_view d = date->second;
                a.month = byteValue(d.substr(0, 2), "DATE" + nn);
                a.day = byteValue(d.substr(2, 2), "DATE" + nn);
                a.hour = byteValue(d.substr(4, 2), "DATE" + nn);
                a.minute = byteValue(d.substr(6, 2), "DATE" + nn);
            }
        }
    }
    for (int c = 0; c < 50; ++c) {
        const std::string key = "POINT" + digits(c, 2);
        const auto point = values.find(key);
        if (point == values.end() || point->second == "0")
            continue;
        if (point->second.size() != 21) {
            fail(key, point->second);
            continue;
        }
        for (int f = 0; f < 7; ++f)
            h.categories[size_t(c)][size_t(f)] =
                byteValue(std::string_view(point->second).substr(size_t(f * 3), 3), key);
    }
    for (int i = 0; i < kMaxQuestions; ++i) {
        const std::string iii = digits(i, 3);
        h.correct[size_t(i)] = value("CORR" + iii);
        h.wrong[size_t(i)] = value("FALS" + iii);
    }
    if (bad)
        return std::nullopt;
    return h;
}

bool SaveHist(const QString& historyPath, const History& history, const QString& questionFile, const QDateTime& when)
{
    const std::string bytes = HistoryBytes(history, HistoryNameField(questionFile));
    QSaveFile out(historyPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) ||
        !out.commit())
        return false;
    QFile file(historyPath);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    return file.setFileTime(when, QFileDevice::FileModificationTime) &&
           file.setFileTime(when, QFileDevice::FileAccessTime);
}

HistorySync::HistorySync(HttpTransport& http, const SyncServers& servers, const Profile& profile,
                         const QString& programDir)
    : m_http(http), m_servers(servers), m_profile(profile), m_programDir(programDir)
{
}

HistorySync::Result HistorySync::post(const QString& url, const std::string& body, const QString& testId,
                                      const QString& answerFile, QByteArray* answer)
{
    const QString requestFile = workFile(testId + QStringLiteral(".txt"));
    {
        // A work file that lives for one post: written plainly (a safe write would wait for the disk).
        QFile out(requestFile);
        const std::string line = body + "\r\n";
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(line.data(), qint64(line.size())) != qint64(line.size()) || !out.flush())
            return {Outcome::Failed, QStringLiteral("%1: cannot be written").arg(requestFile)};
    }
    m_http.Body = answerFile;
    m_http.Header = workFile(QStringLiteral("Head.txt"));
    m_http.InputFileMode = true;
    m_http.OutputFileMode = true;
    // The answers are work files read at once; the history written from them is saved safely.
    m_http.DurableBody = false;
    const TransferResult result = m_http.Post(url, requestFile);
    QFile::remove(requestFile);
    if (!result.ok)
        return {Outcome::Failed, QStringLiteral("%1: %2").arg(url, result.error)};
    if (result.status != 200)
        return {Outcome::Failed, QStringLiteral("%1: the server answered with status %2").arg(url).arg(result.status)};
    if (answer) {
        QFile file(answerFile);
        if (!file.open(QIODevice::ReadOnly))
            return {Outcome::Failed, QStringLiteral("%1: cannot be read").arg(answerFile)};
        *answer = file.readAll();
    }
    return {};
}

HistorySync::Result HistorySync::queryStatus(const QList<CourseTest>& tests, QList<SyncRow>& rows)
{
    rows.clear();
    const QString answerFile = workFile(QStringLiteral("RecordInfo.txt"));
    for (const CourseTest& test : tests) {
        SyncRow row;
        row.test = test;
        row.testId = QFileInfo(test.historyFile).completeBaseName();
        QByteArray line;
        Result sent =
            post(serverUrl(m_servers.status), identityRequest(m_profile, row.testId), row.testId, answerFile, &line);
        if (sent.outcome != Outcome::Done)
            return sent;
        if (const qsizetype end = line.indexOf('\n'); end >= 0)
            line.truncate(end);
        while (line.endsWith('\r'))
            line.chop(1);
        const StatusAnswer answer = parseStatusLine(std::string_view(line.constData(), size_t(line.size())));
        row.clientDate = historyFileDate(test.historyFile);
        row.clientText = syncDateText(row.clientDate);
        switch (answer.kind) {
        case StatusAnswer::UserError:
            return {Outcome::UserError, answer.message};
        case StatusAnswer::Malformed:
            return {Outcome::Failed,
                    QStringLiteral("%1: not a date: %2").arg(answerFile, cp932::toUnicode(line.toStdString()))};
        case StatusAnswer::NoSync:
            row.state = kStateNoSync;
            row.serverText = kNoDate;
            break;
        case StatusAnswer::NotFound:
        case StatusAnswer::Date:
            row.serverDate = answer.date;
            row.serverText = answer.text;
            row.state = syncState(row.serverDate, row.clientDate);
            break;
        }
        rows.append(row);
    }
    return {};
}

HistorySync::Result HistorySync::transfer(const SyncRow& row)
{
    if (row.state == kStateClientNewer) {
        auto bank = std::make_unique<QuestionBank>();
        if (auto error = LoadQuestionBank(row.test.questionFile, *bank))
            return {Outcome::Failed, error->text()};
        const History history = LoadHistory(row.test.historyFile);
        const QString url = serverUrl(
            QStringLiteral("%1?%2").arg(m_servers.upload, QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"))));
        return post(url, uploadRequest(m_profile, row.testId, row.test.questionCount, row.clientText, history, *bank),
                    row.testId, workFile(QStringLiteral("RecordInfo.txt")));
    }
    if (row.state == kStateServerNewer) {
        const QString answerFile = workFile(QStringLiteral("DownData.txt"));
        QByteArray bytes;
        Result sent =
            post(serverUrl(m_servers.download), identityRequest(m_profile, row.testId), row.testId, answerFile, &bytes);
        if (sent.outcome != Outcome::Done)
            return sent;
        QString error;
        const auto history = parseDownload(std::string_view(bytes.constData(), size_t(bytes.size())), error);
        if (!history)
            return {Outcome::Failed, QStringLiteral("%1: %2").arg(answerFile, error)};
        if (!SaveHist(row.test.historyFile, *history, row.test.questionFile, row.serverDate))
            return {Outcome::Failed, QStringLiteral("%1: cannot be written").arg(row.test.historyFile)};
    }
    return {};
}

void HistorySync::cleanUp()
{
    QFile::remove(workFile(QStringLiteral("RecordInfo.txt")));
    QFile::remove(workFile(QStringLiteral("Head.txt")));
}

} // namespace online
