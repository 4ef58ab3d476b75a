#include "core/versioninfo.h"

#include "core/kalyxversion.h"

VersionInfo programVersionInfo() {
  return {QStringLiteral(KALYX_PRODUCT_VERSION), QStringLiteral(KALYX_PRODUCT_NAME_VERSION), QStringLiteral(KALYX_COMPANY_NAME),
          QStringLiteral(KALYX_LEGAL_COPYRIGHT)};
}
