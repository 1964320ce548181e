-- The first schema: the SQLite store's tables, with bytes kept as bytes (names and form fields
-- arrive as CP932).
CREATE TABLE IF NOT EXISTS users (serial BYTEA PRIMARY KEY, name BYTEA, email BYTEA);
CREATE TABLE IF NOT EXISTS histories (serial BYTEA, test_id BYTEA, updated BYTEA, data BYTEA,
    PRIMARY KEY (serial, test_id));
CREATE TABLE IF NOT EXISTS forms (id BIGSERIAL PRIMARY KEY, path BYTEA,
    received TIMESTAMPTZ DEFAULT now());
CREATE TABLE IF NOT EXISTS form_fields (form_id BIGINT REFERENCES forms (id), position BIGINT,
    name BYTEA, value BYTEA);
