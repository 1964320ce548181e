-- The first schema. IF NOT EXISTS: a store made before migrations were numbered already holds
-- these tables and is adopted as it stands.
CREATE TABLE IF NOT EXISTS users (serial BLOB PRIMARY KEY, name BLOB, email BLOB);
CREATE TABLE IF NOT EXISTS histories (serial BLOB, test_id BLOB, updated BLOB, data BLOB,
    PRIMARY KEY (serial, test_id));
CREATE TABLE IF NOT EXISTS forms (id INTEGER PRIMARY KEY, path BLOB,
    received TEXT DEFAULT CURRENT_TIMESTAMP);
CREATE TABLE IF NOT EXISTS form_fields (form_id INTEGER, position INTEGER, name BLOB, value BLOB);
