#include "support/ModalDriver.h"

#include <QDialog>

void closeModalWindow(QWidget* window)
{
    if (auto* dialog = qobject_cast<QDialog*>(window))
        dialog->reject();
    else
        window->close();
}
