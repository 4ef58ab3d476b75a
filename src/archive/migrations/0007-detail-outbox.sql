-- The changes to device details that wait to be sent to the department's
-- archive, each as the user made it, with when (ISO 8601 in UTC) and an
-- identity of its own, so that the server keeps a change sent twice once.
-- A change the server refused for what it holds is set aside with its reason.
-- The details kept before this queue existed wait too, dated at the start of
-- time: they fill in what the department lacks and never outrank a change
-- made since on another computer.
CREATE TABLE detail_outbox (
  entry INTEGER PRIMARY KEY AUTOINCREMENT,
  change_id TEXT NOT NULL UNIQUE,
  device TEXT NOT NULL,
  location TEXT NOT NULL,
  interval_months INTEGER,
  note TEXT NOT NULL,
  changed TEXT NOT NULL,
  refused TEXT
);
INSERT INTO detail_outbox (change_id, device, location, interval_months, note, changed)
  SELECT lower(hex(randomblob(16))), device, location, interval_months, note, '1970-01-01T00:00:00.000Z'
  FROM device_detail ORDER BY device;
