#include "skin/controls/PlayerStyle.h"

#include <QWidget>

namespace PlayerStyle {

QColor Face() { return QColor(0x20, 0x23, 0x29); }

QColor Amber() { return QColor(0xd2, 0xb8, 0x3c); }

void Apply(QWidget* window) {
    const QString face = Face().name();
    const QString amber = Amber().name();
    window->setStyleSheet(QStringLiteral(R"(
QWidget { background: %1; color: %2; selection-background-color: %2; selection-color: #101010; }
QLineEdit, QComboBox, QSpinBox, QTreeWidget, QListWidget {
    background: #0b0c0e; border: 1px solid #3a3020; padding: 2px; }
QLineEdit:focus, QComboBox:focus, QSpinBox:focus { border-color: %2; }
QLineEdit:disabled, QComboBox:disabled { color: #6b5a3a; }
QPushButton { background: #2a2d33; border: 1px solid #4a3f2a; padding: 3px 10px; }
QPushButton:hover { border-color: %2; }
QPushButton:pressed { background: %2; color: #101010; }
QPushButton:disabled { color: #6b5a3a; }
QCheckBox::indicator, QRadioButton::indicator { width: 11px; height: 11px; border: 1px solid %2; background: #0b0c0e; }
QCheckBox::indicator:checked, QRadioButton::indicator:checked { background: %2; }
QCheckBox:disabled, QRadioButton:disabled { color: #6b5a3a; }
QSlider::groove:vertical { background: #0b0c0e; width: 4px; border: 1px solid #3a3020; }
QSlider::handle:vertical { background: %2; height: 6px; margin: 0 -5px; }
QSlider::groove:horizontal { background: #0b0c0e; height: 4px; border: 1px solid #3a3020; }
QSlider::handle:horizontal { background: %2; width: 6px; margin: -5px 0; }
QSlider:disabled { background: %1; }
QTabWidget::pane { border: 1px solid #3a3020; }
QTabBar::tab { background: #2a2d33; padding: 4px 10px; border: 1px solid #3a3020; }
QTabBar::tab:selected { background: %1; border-bottom-color: %1; }
QToolTip { background: #0b0c0e; color: %2; border: 1px solid %2; }
)")
                              .arg(face, amber));
}

} // namespace PlayerStyle
