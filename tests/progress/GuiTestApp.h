#pragma once

class QApplication;

// The one QApplication of the widget tests, created on first use and kept until the end of
// the process (GoogleTest's own main creates none).
QApplication &GuiTestApp();
