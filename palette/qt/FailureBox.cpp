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
    // The three buttons of a cancel / try again / continue box, Cancel the
    // default and the Escape key's answer. They share one role so that the
    // platform's button layout keeps them in this order; the answer does not
    // matter, any button just closes the box.
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::ActionRole);
    box.addButton(QStringLiteral("Try Again"), QMessageBox::ActionRole);
    box.addButton(QStringLiteral("Continue"), QMessageBox::ActionRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
}

} // namespace palette
