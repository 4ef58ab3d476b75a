-- The department's archive: the records that the department's computers sent,
-- with the same columns as a computer's own archive, and who sent each one and
-- when. A record's identity is its kind, its analyzer and its bytes (by their
-- SHA-256 digest): sent by two computers, it is kept once. Nothing here is
-- ever changed or deleted by the program: it is the department's audit trail.
CREATE TABLE record (
  id bigserial PRIMARY KEY,
  kind smallint NOT NULL,      -- 1 test report, 2 wave record, 3 real-time capture
  analyzer text NOT NULL,      -- the analyzer's I.D. from its system-information block
  digest bytea NOT NULL,       -- SHA-256 of bytes
  bytes bytea NOT NULL,        -- test reports and wave records in host order, captures as received
  downloaded text NOT NULL,    -- when the computer received it, ISO 8601 in UTC
  device text NOT NULL,        -- the device I.D. as the lists show it
  tested text,                 -- the test's date and time, ISO 8601; NULL when the record holds no valid date
  dut_type integer,            -- test reports: the device-under-test type byte
  verdict integer,             -- test reports: 1 pass, 0 fail
  autoseq integer,             -- test reports: the autosequence number, 0 for a manual test
  number integer NOT NULL,     -- the record's place in its download, from 1
  title text NOT NULL,         -- the test type as the lists show it
  sent_by text NOT NULL,       -- the login name of the user who sent it
  sent_from text NOT NULL,     -- the name of the computer that sent it
  sent_as text NOT NULL DEFAULT session_user,  -- the database role it was sent with
  received timestamptz NOT NULL DEFAULT now(),
  UNIQUE (kind, analyzer, digest)
);
CREATE INDEX record_device ON record (kind, device, tested);
CREATE INDEX record_tested ON record (tested);

-- The audit trail is never rewritten: no change or deletion of a record,
-- and the server, not the sender, says as whom and when each record came.
CREATE FUNCTION record_unchanged() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  RAISE EXCEPTION 'the records of the department''s archive are never changed or deleted';
END $$;
CREATE TRIGGER record_unchanged BEFORE UPDATE OR DELETE OR TRUNCATE ON record
  FOR EACH STATEMENT EXECUTE FUNCTION record_unchanged();
CREATE FUNCTION record_received() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  NEW.sent_as := session_user;
  NEW.received := now();
  RETURN NEW;
END $$;
CREATE TRIGGER record_received BEFORE INSERT ON record
  FOR EACH ROW EXECUTE FUNCTION record_received();

-- Only the owner writes the schema's version: the rights a department gives
-- its technicians on new tables (to send records) never reach it.
DO $$
DECLARE grantee text;
BEGIN
  FOR grantee IN SELECT DISTINCT g.grantee FROM information_schema.role_table_grants g
                 WHERE g.table_name = 'archive_schema' AND g.grantee <> current_user LOOP
    EXECUTE format('REVOKE INSERT, UPDATE, DELETE, TRUNCATE ON archive_schema FROM %I', grantee);
  END LOOP;
END $$;
