// The spring type and input mode switches. Each handler makes only the
// fields that apply editable; a disabled field keeps its text, except the
// three that a type change sets to "0".
#include "form_tan_huang.h"

#include <QLineEdit>

void FormTanHuang::Option1_Click() {
    SpringTypeSign_ = kCompressionSpring;
    SpringTypeName_ = QStringLiteral("压缩弹簧");
    text(17)->setEnabled(true);
    text(21)->setEnabled(true);
    text(13)->setEnabled(true);
    text(18)->setEnabled(false);
    text(24)->setEnabled(false);
    text(24)->setText(QStringLiteral("0")); // a compression spring has no initial tension
    text(19)->setEnabled(true);
}

void FormTanHuang::Option2_Click() {
    SpringTypeSign_ = kExtensionSpring;
    SpringTypeName_ = QStringLiteral("拉伸弹簧");
    text(17)->setEnabled(false);
    text(21)->setEnabled(false);
    // An extension spring has neither a solid height nor a slenderness ratio.
    text(17)->setText(QStringLiteral("0"));
    text(21)->setText(QStringLiteral("0"));
    text(13)->setEnabled(false);
    text(18)->setEnabled(true);
    text(24)->setEnabled(true);
    text(19)->setEnabled(false);
}

void FormTanHuang::Option3_Click() {
    text(7)->setEnabled(true);
    text(8)->setEnabled(true);
    text(9)->setEnabled(true);
    text(10)->setEnabled(false);
    text(11)->setEnabled(false);
    text(12)->setEnabled(false);
}

void FormTanHuang::Option4_Click() {
    text(10)->setEnabled(true);
    text(11)->setEnabled(true);
    text(12)->setEnabled(true);
    text(7)->setEnabled(false);
    text(8)->setEnabled(false);
    text(9)->setEnabled(false);
}
