#include "portui/LabelledRow.h"

#include <QFormLayout>
#include <QLabel>

namespace olvex::portui {

void addLabelledRow(QFormLayout &form, const QString &caption, QWidget *field)
{
    auto *label = new QLabel(caption);
    label->setBuddy(field);
    field->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    form.addRow(label, field);
}

} // namespace olvex::portui
