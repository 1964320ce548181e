-- What the administrators' dashboard needs: learners that can be disabled, the time of each
-- learner's last upload (kept by a trigger, so it commits with the upload), and administrators.
ALTER TABLE users ADD COLUMN disabled BOOLEAN NOT NULL DEFAULT false;
ALTER TABLE users ADD COLUMN last_sync TIMESTAMPTZ;
CREATE TABLE admins (name BYTEA PRIMARY KEY, hash TEXT NOT NULL);
CREATE FUNCTION histories_last_sync() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
    UPDATE users SET last_sync = now() WHERE serial = NEW.serial;
    RETURN NEW;
END
$$;
CREATE TRIGGER histories_last_sync AFTER INSERT OR UPDATE ON histories
    FOR EACH ROW EXECUTE FUNCTION histories_last_sync();
