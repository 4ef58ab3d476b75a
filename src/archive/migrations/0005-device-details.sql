-- What the user keeps about each device beside its records: where it is, its
-- test interval in months (NULL: its type's, from the settings) and a note. A
-- device listed here and never tested is due at once.
CREATE TABLE device_detail (
  device TEXT PRIMARY KEY,
  location TEXT NOT NULL DEFAULT '',
  interval_months INTEGER CHECK (interval_months IS NULL OR interval_months BETWEEN 1 AND 120),
  note TEXT NOT NULL DEFAULT ''
);
