#include "core/names.h"

#include "core/kalyxversion.h"

QString productVersion() { return QStringLiteral(KALYX_PRODUCT_VERSION); }
