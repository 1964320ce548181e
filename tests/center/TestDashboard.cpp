// The administrators' dashboard: its pages from stored histories, and signing in and acting as a
// browser would, against a running quarvel-center (plain HTTP on loopback, on all addresses, and
// HTTPS with a certificate made for the test).
#include "CenterProcess.h"
#include "tools/quarvel-center/admin/AdminPages.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <httplib.h>

namespace
{

const std::string kPassword = "correct horse";

// A stored history with `rates` as its attempts, newest first as the program keeps them.
std::string storedHistory(const std::vector<int>& newestFirst)
{
    std::string data = "[DLDATA]\r\nMAX=90\r\nAVG=55\r\n";
    for (size_t i = 0; i < newestFirst.size(); ++i) {
        const std::string nn = (i < 10 ? "0" : "") + std::to_string(i);
        data += "RATE" + nn + "=" + std::to_string(newestFirst[i]) + "\r\nDATE" + nn + "=12011000\r\n";
    }
    return data;
}

// A browser's view of the dashboard: its cookies, sent back with every request.
class Browser
{
  public:
    explicit Browser(std::unique_ptr<httplib::ClientImpl> client) : m_client(std::move(client)) {}

    httplib::Result get(const std::string& path)
    {
        auto result = m_client->Get(path.c_str(), headers());
        keepCookies(result);
        return result;
    }
    httplib::Result post(const std::string& path, const httplib::Params& fields)
    {
        auto result = m_client->Post(path.c_str(), headers(), fields);
        keepCookies(result);
        return result;
    }
    std::string cookie(const std::string& name) const { return m_cookies.count(name) ? m_cookies.at(name) : ""; }
    std::string setCookieLine;

    // The token of the first form on the page last shown.
    static std::string csrfOf(const std::string& page)
    {
        const std::string mark = "name=\"csrf\" value=\"";
        const size_t at = page.find(mark);
        return at == std::string::npos ? std::string() : page.substr(at + mark.size(), 64);
    }

    int signIn(const std::string& name, const std::string& password)
    {
        auto page = get("/admin/");
        if (!page)
            return 0;
        auto result = post("/admin/signin", {{"csrf", csrfOf(page->body)}, {"name", name}, {"password", password}});
        return result ? result->status : 0;
    }

  private:
    httplib::Headers headers() const
    {
        std::string line;
        for (const auto& [name, value] : m_cookies)
            line += (line.empty() ? "" : "; ") + name + "=" + value;
        return line.empty() ? httplib::Headers{} : httplib::Headers{{"Cookie", line}};
    }
    void keepCookies(const httplib::Result& result)
    {
        if (!result)
            return;
        for (size_t i = 0; i < result->get_header_value_count("Set-Cookie"); ++i) {
            const std::string line = result->get_header_value("Set-Cookie", i);
            setCookieLine = line;
            const size_t eq = line.find('=');
            const size_t end = line.find(';');
            m_cookies[line.substr(0, eq)] = line.substr(eq + 1, end - eq - 1);
        }
    }

    std::unique_ptr<httplib::ClientImpl> m_client;
    std::map<std::string, std::string> m_cookies;
};

} // namespace

class TestDashboard : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString db() const { return m_dir.path() + QStringLiteral("/center.sqlite"); }

    Browser plain(const CenterProcess& center)
    {
        return Browser(std::make_unique<httplib::ClientImpl>("127.0.0.1", center.port()));
    }

  private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(CenterProcess::run({QStringLiteral("add-admin"), QStringLiteral("--db"), db(),
                                     QStringLiteral("--name"), QStringLiteral("先生")},
                                    QByteArray::fromStdString(kPassword + "\n")),
                 0);
        QVERIFY(CenterProcess::run({QStringLiteral("add-admin"), QStringLiteral("--db"), db(), QStringLiteral("--name"),
                                    QStringLiteral("x")},
                                   "short\n") != 0);
        QCOMPARE(CenterProcess::run({QStringLiteral("add-user"), QStringLiteral("--db"), db(),
                                     QStringLiteral("--serial"), QStringLiteral("S-1"), QStringLiteral("--name"),
                                     QStringLiteral("<img src=x onerror=alert(1)>&amp;")}),
                 0);
    }

    void summariesFollowTheStoredAttempts_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QList<int>>("rates"); // oldest first
        QTest::addColumn<char>("grade");
        QTest::newRow("three attempts") << QByteArray::fromStdString(storedHistory({90, 40, 10})) << true
                                        << QList<int>{10, 40, 90} << 'A';
        QTest::newRow("none yet") << QByteArray("[DLDATA]\r\nMAX=0\r\n") << true << QList<int>{} << char(0);
        QTest::newRow("not a history") << QByteArray("[DLDATA]\r\nRATE00=999\r\nDATE00=12011000\r\n") << false
                                       << QList<int>{} << char(0);
    }
    void summariesFollowTheStoredAttempts()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, readable);
        QFETCH(QList<int>, rates);
        QFETCH(char, grade);
        const auto summary = admin::summarise("QV-1", {"2026/12/01 10:00:00", data.toStdString()});
        QCOMPARE(summary.readable, readable);
        QCOMPARE(QList<int>(summary.rates.begin(), summary.rates.end()), rates);
        QCOMPARE(summary.grade, grade);
        const std::string svg = admin::trendSvg(summary.rates);
        size_t points = 0;
        for (size_t at = svg.find("class=\"point\""); at != std::string::npos; at = svg.find("class=\"point\"", at + 1))
            ++points;
        QCOMPARE(points, size_t(rates.size()));
    }

    void signInTakesTheRightPasswordAndATokenFromTheForm()
    {
        CenterProcess center(db(), m_dir.path());
        Browser browser = plain(center);
        QCOMPARE(browser.signIn("先生", "wrong password"), 403);
        // A sign-in posted without the form's token (from another site) is refused.
        QCOMPARE(browser.post("/admin/signin", {{"name", "先生"}, {"password", kPassword}})->status, 403);
        QCOMPARE(browser.signIn("先生", kPassword), 303);
        QVERIFY(browser.setCookieLine.find("HttpOnly") != std::string::npos);
        QVERIFY(browser.setCookieLine.find("SameSite=Strict") != std::string::npos);
        QVERIFY(browser.setCookieLine.find("Secure") == std::string::npos);

        const auto page = browser.get("/admin/");
        QCOMPARE(page->status, 200);
        QVERIFY(page->body.find("&lt;img src=x onerror=alert(1)&gt;&amp;amp;") != std::string::npos);
        QVERIFY(page->body.find("<img") == std::string::npos);
    }

    void formsNeedTheSessionsToken()
    {
        CenterProcess center(db(), m_dir.path());
        Browser browser = plain(center);
        QCOMPARE(browser.signIn("先生", kPassword), 303);
        const std::string csrf = Browser::csrfOf(browser.get("/admin/")->body);
        QCOMPARE(browser.post("/admin/learners/state", {{"serial", "S-1"}, {"disabled", "1"}})->status, 403);
        QCOMPARE(
            browser
                .post("/admin/learners/state", {{"serial", "S-1"}, {"disabled", "1"}, {"csrf", "0" + csrf.substr(1)}})
                ->status,
            403);
        QVERIFY(browser.get("/admin/")->body.find("class=\"disabled\"") == std::string::npos);

        // With it: disabled, the learner's sync is refused; enabled again, it works.
        QCOMPARE(browser.post("/admin/learners/state", {{"serial", "S-1"}, {"disabled", "1"}, {"csrf", csrf}})->status,
                 303);
        httplib::Client sync("127.0.0.1", center.port());
        const auto refused =
            sync.Post("/cgi-bin/his-status", "Serial=S-1&Test_ID=QV-1", "application/x-www-form-urlencoded");
        QVERIFY(refused && refused->body.find("NOTFOUND") == std::string::npos);
        QCOMPARE(browser.post("/admin/learners/state", {{"serial", "S-1"}, {"disabled", "0"}, {"csrf", csrf}})->status,
                 303);
        const auto answered =
            sync.Post("/cgi-bin/his-status", "Serial=S-1&Test_ID=QV-1", "application/x-www-form-urlencoded");
        QVERIFY(answered && answered->body.find("NOTFOUND") != std::string::npos);

        QCOMPARE(browser.post("/admin/learners/add", {{"serial", "S-9"}, {"name", "新入生"}, {"csrf", csrf}})->status,
                 303);
        QVERIFY(browser.get("/admin/")->body.find("新入生") != std::string::npos);
        QCOMPARE(browser.post("/admin/signout", {{"csrf", csrf}})->status, 303);
        QVERIFY(browser.get("/admin/")->body.find("id=\"signin\"") != std::string::npos);
    }

    void repeatedFailuresLockTheNameOut()
    {
        CenterProcess center(db(), m_dir.path());
        Browser browser = plain(center);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(browser.signIn("先生", "guess " + std::to_string(i)), 403);
        QCOMPARE(browser.signIn("先生", kPassword), 429);
    }

    void plainHttpSignsInOnlyOnLoopback()
    {
        CenterProcess open(db(), m_dir.path(), {QStringLiteral("--host"), QStringLiteral("0.0.0.0")});
        QVERIFY(open.port() > 0);
        Browser browser = plain(open);
        QCOMPARE(browser.signIn("先生", kPassword), 403);

        // Over HTTPS the same address signs in, with a cookie only sent back over HTTPS.
        const QString key = m_dir.path() + QStringLiteral("/key.pem");
        const QString cert = m_dir.path() + QStringLiteral("/cert.pem");
        QCOMPARE(QProcess::execute(QStringLiteral("openssl"),
                                   {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                                    QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                                    key, QStringLiteral("-out"), cert, QStringLiteral("-days"), QStringLiteral("2"),
                                    QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")}),
                 0);
        CenterProcess secure(db(), m_dir.path(),
                             {QStringLiteral("--host"), QStringLiteral("0.0.0.0"), QStringLiteral("--cert"), cert,
                              QStringLiteral("--key"), key});
        QVERIFY(secure.port() > 0);
        auto client = std::make_unique<httplib::SSLClient>("127.0.0.1", secure.port());
        client->enable_server_certificate_verification(false);
        Browser overTls(std::move(client));
        QCOMPARE(overTls.signIn("先生", kPassword), 303);
        QVERIFY(overTls.setCookieLine.find("; Secure") != std::string::npos);
        QCOMPARE(overTls.get("/admin/")->status, 200);
    }
};

QTEST_GUILESS_MAIN(TestDashboard)
#include "TestDashboard.moc"
