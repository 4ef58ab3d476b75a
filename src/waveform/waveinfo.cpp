#include "waveform/waveinfo.h"

namespace {
const InfoRow kCommonRows[] = {
    {"lblDeviceID", "Device ID:", &WaveInfo::deviceId},
    {"lblDate", "Date:", &WaveInfo::date},
    {"lblTestType", "Test Type:", &WaveInfo::testType},
    {"lblTestNum", "Test No.:", &WaveInfo::testNumber},
    {"lblResolution", "Resolution:", &WaveInfo::resolution},
    {"lblScale", "Sample Interval:", &WaveInfo::sampleInterval},
};

const InfoRow kDefibRows[] = {
    {"lblEnergy", "Total Energy:", &WaveInfo::energy},
    {"lblFirstPhase", "First Phase:", nullptr},
    {"lblEnergy1", "Energy:", &WaveInfo::energy1},
    {"lblAmpsP1", "Peak Current:", &WaveInfo::ampsP1},
    {"lblAmpsA1", "Average Current:", &WaveInfo::ampsA1},
    {"lblVoltsP1", "Peak Voltage:", &WaveInfo::voltsP1},
    {"lblVoltsA1", "Average Voltage:", &WaveInfo::voltsA1},
    {"lblWidth10", "Pulse Width 10%:", &WaveInfo::width10},
    {"lblWidth50", "Pulse Width 50%:", &WaveInfo::width50},
    {"lblSecondPhase", "Second Phase:", nullptr},
    {"lblEnergy2", "Energy:", &WaveInfo::energy2},
    {"lblAmpsP2", "Peak Current:", &WaveInfo::ampsP2},
    {"lblAmpsA2", "Average Current:", &WaveInfo::ampsA2},
    {"lblVoltsP2", "Peak Voltage:", &WaveInfo::voltsP2},
    {"lblVoltsA2", "Average Voltage:", &WaveInfo::voltsA2},
    {"lblWidth2", "Pulse Width 10%:", &WaveInfo::width2},
    {"lblDelay", "Interphase Delay:", &WaveInfo::delay},
    {"lblTilt", "Tilt:", &WaveInfo::tilt},
    {"lblFreq", "Frequency:", &WaveInfo::freq},
    {"lblDuty", "Duty Cycle:", &WaveInfo::duty},
};

const InfoRow kPacerRows[] = {
    {"lblPulseCurrent", "Pulse Current:", &WaveInfo::pulseCurrent},
    {"lblMethod", "Method:", &WaveInfo::method},
    {"lblPulseWidth", "Pulse Width:", &WaveInfo::pulseWidth},
    {"lblPulseRate", "Pulse Rate:", &WaveInfo::pulseRate},
    {"lblPCR_Energy", "Pulse Energy:", &WaveInfo::pulseEnergy},
    {"lblTestLoad", "Test Load:", &WaveInfo::testLoad},
};
}  // namespace

QList<InfoRow> infoRows(bool pacer) {
  QList<InfoRow> rows(std::begin(kCommonRows), std::end(kCommonRows));
  if (pacer) rows.append(QList<InfoRow>(std::begin(kPacerRows), std::end(kPacerRows)));
  else rows.append(QList<InfoRow>(std::begin(kDefibRows), std::end(kDefibRows)));
  return rows;
}
