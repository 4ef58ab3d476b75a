-- The device I.D. in a form that ignores letter case, folded by the program
-- that sends a record (the records kept so far by the server's lower()).
ALTER TABLE record ADD COLUMN device_folded text NOT NULL DEFAULT '';
ALTER TABLE record DISABLE TRIGGER record_unchanged;
UPDATE record SET device_folded = lower(device);
ALTER TABLE record ENABLE TRIGGER record_unchanged;
CREATE INDEX record_folded ON record (device_folded);

-- A capture is one record by its bytes, whatever its sender knew of the
-- analyzer: a capture the archive holds already is not taken again.
CREATE INDEX record_capture ON record (digest) WHERE kind = 3;
CREATE FUNCTION capture_once() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  IF NEW.kind = 3 AND EXISTS (SELECT 1 FROM record WHERE kind = 3 AND digest = NEW.digest) THEN
    RETURN NULL;
  END IF;
  RETURN NEW;
END $$;
CREATE TRIGGER capture_once BEFORE INSERT ON record FOR EACH ROW EXECUTE FUNCTION capture_once();
