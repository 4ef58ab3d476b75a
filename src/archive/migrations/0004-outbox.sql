-- The queue to the department's archive, made anew: a record the server refused
-- for its content is set aside with the server's reason (and tried again on
-- request), and a record deleted here before it was sent still goes, its
-- sending copy kept in its entry.
CREATE TABLE outbox_new (
  entry INTEGER PRIMARY KEY AUTOINCREMENT,
  record INTEGER UNIQUE,  -- the record kept here; NULL once it was deleted here
  refused TEXT,           -- the server's reason when it refused the record; NULL while it waits
  kind INTEGER,           -- the record's kind, analyzer, arrival, bytes and place in its
  analyzer TEXT,          -- download, kept here once the record itself was deleted
  downloaded TEXT,
  bytes BLOB,
  number INTEGER
);
INSERT INTO outbox_new (entry, record) SELECT entry, record FROM outbox ORDER BY entry;
DROP TABLE outbox;
ALTER TABLE outbox_new RENAME TO outbox;
