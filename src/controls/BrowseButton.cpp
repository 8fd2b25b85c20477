#include "controls/BrowseButton.h"

#include "resources/Strings.h"

#include <QPushButton>

namespace {

constexpr int kTextPadding = 24;

} // namespace

QPushButton *CreateBrowseButton(int controlId, QWidget *parent)
{
    auto *button = new QPushButton(ControlText(controlId), parent);
    button->setAutoDefault(false);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + kTextPadding);
    return button;
}
