-- The device I.D. in a form that ignores letter case in every script (folded
-- by the program as it stores a record, for the filter of the device list);
-- the letters of the Latin alphabet here, the others by the program as the
-- archive is brought up to date.
ALTER TABLE record ADD COLUMN device_folded TEXT NOT NULL DEFAULT '';
UPDATE record SET device_folded = lower(device);
-- A capture is one record by its bytes, whatever was known of the analyzer when
-- it was kept: of the copies kept before, the one with the analyzer's I.D. stays.
CREATE TEMP TABLE surplus_capture AS
  SELECT id FROM record AS r WHERE kind = 3 AND EXISTS (
    SELECT 1 FROM record AS o WHERE o.kind = 3 AND o.digest = r.digest AND (o.analyzer > r.analyzer OR (o.analyzer = r.analyzer AND o.id < r.id)));
DELETE FROM outbox WHERE record IN (SELECT id FROM surplus_capture);
DELETE FROM record WHERE id IN (SELECT id FROM surplus_capture);
DROP TABLE surplus_capture;
CREATE UNIQUE INDEX capture_identity ON record (digest) WHERE kind = 3;
-- The list of devices of every kind of record, filtered by the folded I.D.,
-- and one device's rows, read from this index alone.
DROP INDEX record_device;
CREATE INDEX record_device ON record (device, kind, tested, verdict, dut_type, device_folded);
