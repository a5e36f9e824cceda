#pragma once
// Card company names for the closing report's card section, one fixed table per card
// network type. Independent of the ExtCode rows the settings screens keep.
#include <QString>

namespace orv::closing {

// The name under the network type giSetVan in force now; "" for an unknown code or a
// network without a table. Codes compare as exact text (no trimming, not as numbers).
QString GetClosingCardComName(const QString &code);
// The same lookup for a given network type.
QString ClosingCardComName(int vanType, const QString &code);

}  // namespace orv::closing
