#pragma once
// Form rows whose field is named by its label, for assistive technology.
#include <QString>

class QFormLayout;
class QWidget;

namespace olvex::portui {

// Adds `caption` (with its mnemonic) and `field` as a row of `form`; the
// label is the field's buddy and the field's accessible name is the caption
// without the mnemonic marker. Some fields (combo boxes) would otherwise
// announce their current value as their name.
void addLabelledRow(QFormLayout &form, const QString &caption, QWidget *field);

} // namespace olvex::portui
