#include "studies/common/ValueList.h"

#include <QFormLayout>
#include <QLabel>

ValueList::ValueList(QWidget *parent) : QWidget(parent), m_layout(new QFormLayout(this)) {
    m_layout->setContentsMargins(0, 0, 0, 0);
}

void ValueList::setPairs(const QVector<QPair<QString, QString>> &pairs, const QStringList &names) {
    while (m_layout->rowCount() > 0)
        m_layout->removeRow(0);
    for (int i = 0; i < pairs.size(); ++i) {
        auto *name = new QLabel(pairs[i].first, this);
        auto *value = new QLabel(pairs[i].second, this);
        value->setObjectName(names.value(i));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setWordWrap(true); // a long value takes lines rather than the window's width
        m_layout->addRow(name, value);
        // Shown now, not when the layout would get round to it.
        name->show();
        value->show();
    }
}
