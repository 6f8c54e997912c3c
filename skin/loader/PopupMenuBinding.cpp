#include "skin/loader/PopupMenuBinding.h"

#include <QMenu>
#include <QWidget>

void TPopupMenuBinding::SetMenu(QMenu* menu) {
    QObject::disconnect(m_connection);
    m_menu = menu;
    m_control->setContextMenuPolicy(menu ? Qt::CustomContextMenu : Qt::DefaultContextMenu);
    if (!menu) return;
    QWidget* control = m_control;
    QPointer<QMenu> target = menu;
    m_connection =
        QObject::connect(control, &QWidget::customContextMenuRequested, control, [control, target](QPoint at) {
            if (target) target->popup(control->mapToGlobal(at));
        });
}
