-- The records the analyzer gave up, as the program holds them, with the
-- columns a search needs. A record's identity is its kind, its analyzer and
-- its bytes (by their SHA-256 digest): downloaded again, it is kept once.
CREATE TABLE record (
  id INTEGER PRIMARY KEY,
  kind INTEGER NOT NULL,       -- 1 test report, 2 wave record, 3 real-time capture
  analyzer TEXT NOT NULL,      -- the analyzer's I.D. from its system-information block
  digest BLOB NOT NULL,        -- SHA-256 of bytes
  bytes BLOB NOT NULL,         -- test reports and wave records in host order, captures as received
  downloaded TEXT NOT NULL,    -- when the program received it, ISO 8601 in UTC
  device TEXT NOT NULL,        -- the device I.D. as the lists show it
  tested TEXT,                 -- the test's date and time, ISO 8601; NULL when the record holds no valid date
  dut_type INTEGER,            -- test reports: the device-under-test type byte
  verdict INTEGER,             -- test reports: 1 pass, 0 fail
  autoseq INTEGER,             -- test reports: the autosequence number, 0 for a manual test
  number INTEGER NOT NULL,     -- the record's place in its download, from 1: a report's "TEST REPORT No."
  title TEXT NOT NULL          -- the test type as the lists show it: "Autosequence 2", "Manual", "Energy"
);
CREATE UNIQUE INDEX record_identity ON record (kind, analyzer, digest);
-- The list of devices with each one's latest test, and the rows of one device's
-- history, read from this index alone.
CREATE INDEX record_device ON record (kind, device, tested, verdict, dut_type);
CREATE INDEX record_tested ON record (tested);
