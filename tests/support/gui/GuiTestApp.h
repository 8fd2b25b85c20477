#pragma once

class QApplication;

// The one QApplication of a widget test program, created on first use and kept until the end
// of the process (GoogleTest's own main creates none). The tests run with the offscreen
// platform, which CTest sets.
QApplication &GuiTestApp();
