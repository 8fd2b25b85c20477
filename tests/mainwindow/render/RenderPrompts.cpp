#include "RenderPrompts.h"

#include <QDialog>

int RenderPrompts::Exec(QDialog &)
{
    return QDialog::Rejected;
}
