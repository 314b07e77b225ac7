#include "FailureBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace palette {

void ShowFailureBox(QWidget* parent)
{
    QMessageBox box(parent);
    box.setObjectName(kFailureBoxName);
    box.setWindowTitle(QStringLiteral("Close Program"));
    box.setText(QStringLiteral("برنامج الوورد لا يعمل"));
    box.setIcon(QMessageBox::NoIcon);
    // The three buttons of a cancel / try again / continue box, in that
    // order, Cancel first as default and as the Escape key's answer.
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.addButton(QStringLiteral("Try Again"), QMessageBox::ActionRole);
    box.addButton(QStringLiteral("Continue"), QMessageBox::AcceptRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
}

} // namespace palette
