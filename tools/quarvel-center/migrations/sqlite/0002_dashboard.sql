-- What the administrators' dashboard needs: learners that can be disabled, the time of each
-- learner's last upload (kept by a trigger, so it commits with the upload), and administrators.
ALTER TABLE users ADD COLUMN disabled INTEGER NOT NULL DEFAULT 0;
ALTER TABLE users ADD COLUMN last_sync TEXT;
CREATE TABLE admins (name BLOB PRIMARY KEY, hash TEXT NOT NULL);
CREATE TRIGGER histories_last_sync AFTER INSERT ON histories BEGIN
    UPDATE users SET last_sync = strftime('%Y-%m-%d %H:%M:%S', 'now') WHERE serial = NEW.serial;
END;
