-- The records that wait to be sent to the department's archive: every record
-- this computer keeps enters the queue, and leaves it once the department's
-- server holds it. The records kept before the queue existed wait too.
CREATE TABLE outbox (record INTEGER PRIMARY KEY);
INSERT INTO outbox (record) SELECT id FROM record;
