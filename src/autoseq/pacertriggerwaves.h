#pragma once

class QComboBox;

// The three banks of pacer trigger waveforms (square, triangle, haversine; banks
// 5 to 7) that the demand sensitivity and refractory period tests use.
constexpr int kFirstTriggerBank = 5;
void fillTriggerBankCombo(QComboBox* combo);
