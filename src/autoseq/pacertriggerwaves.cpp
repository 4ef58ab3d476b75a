#include "pacertriggerwaves.h"

#include "autoseqtables.h"

#include <QComboBox>

void fillTriggerBankCombo(QComboBox* combo) {
  for (int b = kFirstTriggerBank; b < kFirstTriggerBank + 3; ++b) combo->addItem(QString::fromLatin1(waveBanks()[b].name));
  combo->setCurrentIndex(-1);
}
