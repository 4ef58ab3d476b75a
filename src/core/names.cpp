#include "names.h"

#include "kalyxversion.h"

QString productVersion() { return QStringLiteral(KALYX_PRODUCT_VERSION); }
