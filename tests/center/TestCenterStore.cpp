// The server's store, SQLite or PostgreSQL (QUARVEL_STORE=postgres starts a throwaway cluster):
// what is stored comes back byte for byte, old stores are migrated, newer ones left alone.
#include "support/PostgresCluster.h"
#include "tools/quarvel-center/store/CenterStore.h"

#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

#include <memory>
#include <thread>

namespace
{

const std::string kAwkward("\x00\x82\xa0\r\n'\"\\;--", 12); // NUL, CP932, quotes, SQL comment

// The schema stores had before their steps were numbered, with one learner in it.
const char* kUnnumberedSchema =
    "CREATE TABLE users (serial %1 PRIMARY KEY, name %1, email %1);"
    "CREATE TABLE histories (serial %1, test_id %1, updated %1, data %1, PRIMARY KEY (serial, test_id));"
    "CREATE TABLE forms (id %2 PRIMARY KEY, path %1, received TEXT);"
    "CREATE TABLE form_fields (form_id INTEGER, position INTEGER, name %1, value %1);"
    "INSERT INTO users VALUES (CAST('S-OLD' AS %1), CAST('old' AS %1), CAST('' AS %1));";

} // namespace

class TestCenterStore : public QObject
{
    Q_OBJECT

    bool m_postgres = qgetenv("QUARVEL_STORE") == "postgres";
    std::unique_ptr<testsupport::PostgresCluster> m_cluster;
    QTemporaryDir m_dir;
    int m_databases = 0;
    QString m_name; // of the last store made

    // A new, empty store location: a SQLite file or a new database of the cluster.
    std::string newLocation()
    {
        m_name = QStringLiteral("db%1").arg(++m_databases);
        if (!m_postgres)
            return (m_dir.path() + QLatin1Char('/') + m_name + QStringLiteral(".sqlite")).toStdString();
        return m_cluster->newDatabase(m_name).toStdString();
    }
    // Runs SQL in the last store made, outside the store class.
    bool rawSql(const std::string& location, const QString& sql)
    {
        if (m_postgres)
            return m_cluster->sql(m_name, sql);
        sqlite3* db = nullptr;
        const bool ok = sqlite3_open(location.c_str(), &db) == SQLITE_OK &&
                        sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(db);
        return ok;
    }
    std::unique_ptr<CenterStore> open(const std::string& location, std::string* error = nullptr)
    {
        std::string why;
        auto store = CenterStore::open(location, 4, why);
        if (error)
            *error = why;
        else if (!store)
            qWarning("%s", why.c_str());
        return store;
    }

  private Q_SLOTS:
    void initTestCase()
    {
        if (m_postgres) {
            m_cluster = std::make_unique<testsupport::PostgresCluster>();
            QVERIFY2(m_cluster->error().isEmpty(), qPrintable(m_cluster->error()));
        }
    }

    void whatIsStoredComesBackWhole()
    {
        const std::string location = newLocation();
        auto store = open(location);
        QVERIFY(store);
        QVERIFY(!store->userExists("S-1"));
        QVERIFY(store->addUser("S-1", kAwkward, "a@example.org"));
        QVERIFY(store->addUser("S-1", "again", "")); // a second registration replaces the first
        QVERIFY(store->userExists("S-1") && !store->userExists("s-1"));

        QVERIFY(!store->history("S-1", "QV-101"));
        QVERIFY(store->storeHistory("S-1", "QV-101", {"2026/12/01 09:00:00", kAwkward}));
        QVERIFY(store->storeHistory("S-1", "QV-101", {"2026/12/02 09:00:00", kAwkward + "2"}));
        QVERIFY(store->storeHistory("S-1", kAwkward, {"2026/12/03 09:00:00", std::string(1960, '\xff')}));
        const auto first = store->history("S-1", "QV-101");
        QVERIFY(first && first->updated == "2026/12/02 09:00:00" && first->data == kAwkward + "2");
        QCOMPARE(store->history("S-1", kAwkward)->data.size(), size_t(1960));

        QVERIFY(store->storeForm("/cgi-bin/inquiry", {{"name", kAwkward}, {"", "no name"}, {"text", "a\r\nb"}}));
        QVERIFY(store->storeForm("/cgi-bin/diagnosis", {}));
        const auto forms = store->forms();
        QCOMPARE(forms.size(), size_t(2));
        QVERIFY(forms[0].id < forms[1].id);
        QCOMPARE(forms[0].path, std::string("/cgi-bin/inquiry"));
        QVERIFY((forms[0].fields == CenterStore::Fields{{"name", kAwkward}, {"", "no name"}, {"text", "a\r\nb"}}));
        QVERIFY(forms[1].fields.empty());

        // Reopened, the store holds the same and stays at the same version.
        const int version = store->schemaVersion();
        QVERIFY(version >= 1);
        store.reset();
        store = open(location);
        QVERIFY(store && store->schemaVersion() == version);
        QCOMPARE(store->history("S-1", "QV-101")->data, kAwkward + "2");
    }

    // What the dashboard reads and changes: learners with their last upload, disabling, every
    // history of one learner, administrators.
    void learnersAndAdministrators()
    {
        auto store = open(newLocation());
        QVERIFY(store);
        QVERIFY(store->addUser("S-2", "two", "2@example.org") && store->addUser("S-1", kAwkward, ""));
        QVERIFY(store->storeHistory("S-2", "QV-2", {"2026/12/01 09:00:00", "b"}));
        QVERIFY(store->storeHistory("S-2", "QV-1", {"2026/12/01 09:00:00", "a"}));
        const auto learners = store->learners();
        QCOMPARE(learners.size(), size_t(2));
        QVERIFY(learners[0].serial == "S-1" && learners[0].name == kAwkward && learners[0].lastSync.empty());
        QCOMPARE(learners[1].lastSync.size(), size_t(19)); // "yyyy-MM-dd HH:mm:ss"
        const auto histories = store->histories("S-2");
        QCOMPARE(histories.size(), size_t(2));
        QVERIFY(histories[0].first == "QV-1" && histories[0].second.data == "a");

        // A disabled learner cannot sync, keeps what it stored, and is enabled again as it was.
        QVERIFY(store->setDisabled("S-2", true));
        QVERIFY(!store->userExists("S-2") && store->learner("S-2")->disabled);
        QVERIFY(store->addUser("S-2", "renamed", ""));
        QVERIFY(store->learner("S-2")->disabled && store->learner("S-2")->name == "renamed");
        QVERIFY(store->setDisabled("S-2", false) && store->userExists("S-2"));
        QVERIFY(!store->setDisabled("S-404", true) && !store->learner("S-404"));
        QCOMPARE(store->histories("S-2").size(), size_t(2));

        QVERIFY(!store->adminHash("admin"));
        QVERIFY(store->setAdmin("admin", "$argon2id$v=19$first") && store->setAdmin("admin", "$argon2id$v=19$second"));
        QCOMPARE(*store->adminHash("admin"), std::string("$argon2id$v=19$second"));
    }

    void storesFromManyThreadsAtOnce()
    {
        auto store = open(newLocation());
        QVERIFY(store);
        std::vector<std::thread> threads;
        for (int t = 0; t < 8; ++t)
            threads.emplace_back([&store, t] {
                for (int i = 0; i < 20; ++i)
                    store->storeHistory("S-" + std::to_string(t), "T" + std::to_string(i),
                                        {"2026/12/01 09:00:00", std::string(1960, char('a' + t))});
            });
        for (std::thread& thread : threads)
            thread.join();
        for (int t = 0; t < 8; ++t)
            for (int i = 0; i < 20; ++i) {
                const auto stored = store->history("S-" + std::to_string(t), "T" + std::to_string(i));
                QVERIFY(stored && stored->data == std::string(1960, char('a' + t)));
            }
    }

    void migrationsAdoptOldStoresAndRefuseNewerOnes_data()
    {
        QTest::addColumn<QString>("before"); // SQL run in the empty store first
        QTest::addColumn<bool>("opens");
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("made before numbered steps") << QString::fromLatin1(kUnnumberedSchema) << true;
        QTest::newRow("newer than this server")
            << QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL);"
                              "INSERT INTO schema_version VALUES (9999);"
                              "CREATE TABLE users (serial TEXT PRIMARY KEY, name TEXT, email TEXT);"
                              "INSERT INTO users VALUES ('S-OLD', 'old', 'old@example.org');")
            << false;
    }
    void migrationsAdoptOldStoresAndRefuseNewerOnes()
    {
        QFETCH(QString, before);
        QFETCH(bool, opens);
        const std::string location = newLocation();
        const QString bytes = m_postgres ? QStringLiteral("BYTEA") : QStringLiteral("BLOB");
        const QString key = m_postgres ? QStringLiteral("BIGSERIAL") : QStringLiteral("INTEGER");
        if (!before.isEmpty())
            QVERIFY(rawSql(location, before.contains(QLatin1String("%1")) ? before.arg(bytes, key) : before));
        std::string error;
        auto store = open(location, &error);
        QCOMPARE(bool(store), opens);
        if (!opens) {
            QVERIFY2(error.find("newer") != std::string::npos, error.c_str());
            // Nothing was touched: the version is still the newer one.
            QVERIFY(!open(location, &error));
            return;
        }
        QVERIFY(store->schemaVersion() >= 1);
        QCOMPARE(store->userExists("S-OLD"), !before.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCenterStore)
#include "TestCenterStore.moc"
