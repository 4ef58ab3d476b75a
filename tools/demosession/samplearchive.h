#pragma once

class Archive;

// Fills an archive as a technician's would look after a while: the simulator's
// sample reports, and a defibrillator ("ER-DEFIB-01") tested twice a year whose
// 200 J pulse and charge time creep towards their limits, so that the Archive
// window's history shows what it is for. Returns false if the archive refused them.
bool fillSampleArchive(Archive& archive);
