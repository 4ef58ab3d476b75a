-- What the department's technicians keep about each device: where it is, its
-- test interval in months (NULL: its type's) and a note. Every change a
-- computer sends is kept, with who made it, from where and when, and is never
-- changed or deleted; a device's details are those of its latest change.
-- A change's identity is given by the computer that made it: sent twice (an
-- answer lost on the way), it is kept once.
CREATE TABLE device_detail_change (
  id bigserial PRIMARY KEY,
  change_id text NOT NULL UNIQUE,
  device text NOT NULL,
  location text NOT NULL,
  interval_months integer CHECK (interval_months IS NULL OR interval_months BETWEEN 1 AND 120),
  note text NOT NULL,
  changed text COLLATE "C" NOT NULL CHECK (changed ~ '^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z$'),
                               -- when the user made the change, ISO 8601 in UTC
  changed_by text NOT NULL,    -- the login name of the user who made it
  changed_from text NOT NULL,  -- the name of the computer it came from
  sent_as text NOT NULL DEFAULT session_user,
  received timestamptz NOT NULL DEFAULT now()
);
CREATE INDEX device_detail_latest ON device_detail_change (device, changed DESC, id DESC);
CREATE FUNCTION device_detail_unchanged() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  RAISE EXCEPTION 'the device details kept in the department''s archive are never changed or deleted';
END $$;
CREATE TRIGGER device_detail_unchanged BEFORE UPDATE OR DELETE OR TRUNCATE ON device_detail_change
  FOR EACH STATEMENT EXECUTE FUNCTION device_detail_unchanged();
-- The server says as whom and when each change came; a change is never dated
-- after its arrival, so a computer whose clock runs ahead cannot outrank the
-- changes made after it.
CREATE FUNCTION device_detail_received() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  NEW.sent_as := session_user;
  NEW.received := now();
  IF NEW.changed ~ '^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z$' THEN  -- the rest the check refuses
    NEW.changed := least(NEW.changed, to_char(now() AT TIME ZONE 'UTC', 'YYYY-MM-DD"T"HH24:MI:SS.MS"Z"'));
  END IF;
  RETURN NEW;
END $$;
CREATE TRIGGER device_detail_received BEFORE INSERT ON device_detail_change
  FOR EACH ROW EXECUTE FUNCTION device_detail_received();
-- One row per device: its latest change (the later one made wins, whichever
-- computer sent it first).
CREATE VIEW device_detail AS
  SELECT DISTINCT ON (device) device, location, interval_months, note, changed, changed_by, changed_from
  FROM device_detail_change ORDER BY device, changed DESC, id DESC;
