-- A device's I.D. in the form that ignores letter case, as the records keep it:
-- the device list's filter finds a device listed here and never tested the
-- same way as one with records. The program fills it (after these statements
-- for the rows already here).
ALTER TABLE device_detail ADD COLUMN device_folded TEXT NOT NULL DEFAULT '';
