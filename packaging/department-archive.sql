-- The department's shared archive of Kalyx 5pc: what the department's database
-- administrator runs once, as a superuser, in the database that will hold it
-- (created first, keeping texts in UTF8:
--   CREATE DATABASE kalyx5pc ENCODING 'UTF8' TEMPLATE template0;).
--
-- kalyx5pc_owner sets the archive up and brings it up to date with
-- "kalyx5pc-cli archive init --shared postgresql://kalyx5pc_owner@HOST/kalyx5pc";
-- give it a password first (\password kalyx5pc_owner) unless it logs in by
-- another means.
-- A technician's login is made a member of kalyx5pc_send (sends records and
-- reads them) or kalyx5pc_read (reads only), for example:
--   CREATE ROLE jdoe LOGIN IN ROLE kalyx5pc_send;  then  \password jdoe
-- The technicians' roles can neither change nor delete a record: the archive
-- is the department's audit trail. A trigger refuses every change and deletion,
-- the owner's too; only the owner, by removing the trigger, or a superuser
-- could get round it.
CREATE ROLE kalyx5pc_owner LOGIN;
CREATE ROLE kalyx5pc_send NOLOGIN;
CREATE ROLE kalyx5pc_read NOLOGIN;
GRANT CREATE ON SCHEMA public TO kalyx5pc_owner;
ALTER DEFAULT PRIVILEGES FOR ROLE kalyx5pc_owner GRANT SELECT, INSERT ON TABLES TO kalyx5pc_send;
ALTER DEFAULT PRIVILEGES FOR ROLE kalyx5pc_owner GRANT USAGE ON SEQUENCES TO kalyx5pc_send;
ALTER DEFAULT PRIVILEGES FOR ROLE kalyx5pc_owner GRANT SELECT ON TABLES TO kalyx5pc_read;
