#pragma once

class QPushButton;
class QWidget;

// A "..." button beside a path field: only as wide as its text needs, and never the default
// button of its dialog.
QPushButton *CreateBrowseButton(int controlId, QWidget *parent);
