-- The server takes a record's fingerprint from its bytes, never the sender's
-- word for it: a record whose stated SHA-256 is not that of its bytes is
-- refused, so no login can put altered bytes under a colleague's record.
CREATE FUNCTION record_fingerprint() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  IF NEW.digest IS DISTINCT FROM sha256(NEW.bytes) THEN
    RAISE EXCEPTION 'the record''s fingerprint is not that of its bytes' USING ERRCODE = 'check_violation';
  END IF;
  RETURN NEW;
END $$;
CREATE TRIGGER record_fingerprint BEFORE INSERT ON record FOR EACH ROW EXECUTE FUNCTION record_fingerprint();

-- The list of devices, with each one's latest test, read from this index alone.
CREATE INDEX record_devices ON record (device, kind, tested, verdict, dut_type, device_folded);
