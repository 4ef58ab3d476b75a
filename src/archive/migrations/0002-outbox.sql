-- The records that wait to be sent to the department's archive: every record
-- this computer keeps enters the queue, and leaves it once the department's
-- server holds it. The records kept before the queue existed wait too. An
-- entry's number is never used again, so a sending that took a record out of
-- the queue late never takes out a newer record that got the same id after
-- the first was deleted.
CREATE TABLE outbox (entry INTEGER PRIMARY KEY AUTOINCREMENT, record INTEGER NOT NULL UNIQUE);
INSERT INTO outbox (record) SELECT id FROM record ORDER BY id;
